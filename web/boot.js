// Before anything else: a page opened straight from a file cannot load its game, so it says
// how to start it instead of staying blank.
if (location.protocol === "file:") {
  document.documentElement.classList.add("from-file");
}
