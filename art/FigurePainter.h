// Paints the man of the body pictures from his Figure, in the game's cartoon style.
#pragma once

#include <QColor>
#include <QPainterPath>

#include "art/Figure.h"

class QPainter;

namespace mukiro::art {

class FigurePainter {
  public:
    FigurePainter(QPainter& painter, const Figure& figure);

    // Paints him over whatever the picture already holds; the background is the caller's.
    void paint();

  private:
    struct Arm {
        QPainterPath shape;
        QPainterPath creases;  // lines inside the arm: muscle edges, the elbow, knuckles
        QPainterPath swing;    // marks in the air beside a waving hand
        double bandAngle = 0;  // across the arm, for the bandages
    };

    Arm standingArm(double side) const;
    Arm wavingArm(double side) const;
    Arm armWithFistAtFace(double side) const;
    Arm armFor(double side) const;
    bool armIsRaised(double side) const;

    QPainterPath torso() const;
    QPainterPath thigh(double side) const;
    QPainterPath head() const;
    QPainterPath briefs(const QPainterPath& lowerBody) const;

    void fillSkin(const QPainterPath& part, double bandAngle);
    void outline(const QPainterPath& path);
    void crease(const QPainterPath& path, double strength);
    void paintArm(const Arm& arm);
    void paintTorsoMarks();
    void paintThighMarks();
    void paintBriefs(const QPainterPath& lowerBody);
    void paintBellyOverhang(const QPainterPath& body);
    void paintLooseBandage();
    void paintNeck();
    void paintHead();
    void paintHair();
    void paintFace();
    void paintTears();
    void paintSheen();

    QPainter& painter_;
    Figure figure_;
    QColor shade_;  // the skin's own darker tone, for muscle lines and hollows
};

}  // namespace mukiro::art
