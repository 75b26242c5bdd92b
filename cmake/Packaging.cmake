# How the game is installed and packaged (filled in as packaging is built).
