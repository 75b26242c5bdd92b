// Paints the death picture: a gravestone on brown earth under a blue sky.
#pragma once

class QPainter;

namespace mukiro::art {

class GravePainter {
  public:
    explicit GravePainter(QPainter& painter);

    // Fills the whole 200 x 200 picture.
    void paint();

  private:
    void paintSky();
    void paintEarth();
    void paintStone();
    void paintInscription();
    void paintFlowers();

    QPainter& painter_;
};

}  // namespace mukiro::art
