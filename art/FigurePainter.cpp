// Paints the man of the body pictures from his Figure, in the game's cartoon style.
#include "art/FigurePainter.h"

#include <QLineF>
#include <QPainter>
#include <QPainterPathStroker>
#include <QPen>
#include <QTransform>
#include <cmath>

#include "art/Palette.h"

namespace mukiro::art {

namespace {

constexpr double kCx = Figure::centreX;

QPainterPath ellipse(QPointF centre, double rx, double ry) {
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

// A limb segment: a tapered tube with round ends, from a (radius ra) to b (radius rb).
QPainterPath tube(QPointF a, QPointF b, double ra, double rb) {
    const QLineF line(a, b);
    const double length = line.length();
    const QPointF along = (b - a) / length;
    const QPointF across(-along.y(), along.x());
    QPainterPath body;
    body.moveTo(a + across * ra);
    body.lineTo(b + across * rb);
    body.lineTo(b - across * rb);
    body.lineTo(a - across * ra);
    body.closeSubpath();
    return body.united(ellipse(a, ra, ra)).united(ellipse(b, rb, rb));
}

QPointF lerp(QPointF a, QPointF b, double t) {
    return a + (b - a) * t;
}

double angleOf(QPointF from, QPointF to) {
    return std::atan2(to.y() - from.y(), to.x() - from.x()) * 180.0 / M_PI;
}

// The left half of the body is the right half seen in a mirror.
QPainterPath mirrored(const QPainterPath& path) {
    return QTransform(-1, 0, 0, 1, 2 * kCx, 0).map(path);
}

QPainterPath curve(QPointF from, QPointF control, QPointF to) {
    QPainterPath path(from);
    path.quadTo(control, to);
    return path;
}

QPainterPath curve(QPointF from, QPointF c1, QPointF c2, QPointF to) {
    QPainterPath path(from);
    path.cubicTo(c1, c2, to);
    return path;
}

QPointF at(double side, double dx, double y) {
    return {kCx + side * dx, y};
}

}  // namespace

FigurePainter::FigurePainter(QPainter& painter, const Figure& figure)
    : painter_(painter), figure_(figure), shade_(mix(figure.skin, palette::kOutline, 0.32)) {}

void FigurePainter::paint() {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, true);

    // Trunk and thighs are one outline: no seam where the thighs meet the hips.
    const QPainterPath leftThigh = thigh(-1);
    const QPainterPath rightThigh = thigh(+1);
    const QPainterPath body = torso();
    const QPainterPath silhouette = body.united(leftThigh).united(rightThigh);
    fillSkin(leftThigh, 2);
    fillSkin(rightThigh, -2);
    fillSkin(body, -4);
    painter_.save();
    painter_.setClipPath(silhouette);
    paintThighMarks();
    paintTorsoMarks();
    painter_.restore();
    outline(silhouette);
    paintBriefs(silhouette);
    if (figure_.fat > 0.5) {
        paintBellyOverhang(body);
    }

    for (const double side : {-1.0, 1.0}) {
        if (!armIsRaised(side)) {
            paintArm(armFor(side));
        }
    }
    if (figure_.bandaged) {
        paintLooseBandage();
    }
    paintNeck();
    paintHead();
    for (const double side : {-1.0, 1.0}) {
        if (armIsRaised(side)) {
            paintArm(armFor(side));
        }
    }
    if (figure_.expression == Expression::crying) {
        paintTears();
    }
    if (figure_.oiled) {
        paintSheen();
    }
    painter_.restore();
}

bool FigurePainter::armIsRaised(double side) const {
    return (figure_.pose == Pose::waving && side > 0) ||
           (figure_.pose == Pose::handAtFace && side < 0);
}

FigurePainter::Arm FigurePainter::armFor(double side) const {
    if (armIsRaised(side)) {
        return figure_.pose == Pose::waving ? wavingArm(side) : armWithFistAtFace(side);
    }
    return standingArm(side);
}

// The shoulder cap, upper arm with its biceps, and forearm: shared by every pose.
namespace {

struct ArmJoints {
    QPointF shoulder, elbow, wrist;
};

QPainterPath armShape(const Figure& f, const ArmJoints& j, double side, QPainterPath* creases) {
    const double m = f.muscle;
    const double upper = f.upperArmRadius();
    const double fore = f.forearmRadius();
    const QPointF deltoidCentre = j.shoulder + QPointF(side * 0.8, 0.5);
    const double deltoidRx = upper + 1.2 + 1.2 * m;
    const double deltoidRy = upper + 2.5 + 2.0 * m;

    // The biceps swells on the side of the arm that faces the bend of the elbow.
    const QPointF upperDir = (j.elbow - j.shoulder) / QLineF(j.shoulder, j.elbow).length();
    QPointF inward(-upperDir.y(), upperDir.x());
    const QPointF foreDir = (j.wrist - j.elbow) / QLineF(j.elbow, j.wrist).length();
    if (inward.x() * foreDir.x() + inward.y() * foreDir.y() < 0) {
        inward = -inward;
    }
    const QPointF bicepsCentre = lerp(j.shoulder, j.elbow, 0.55) + inward * (1.2 + 1.5 * m);
    const double bicepsRadius = upper * (0.75 + 0.35 * m);

    QPainterPath shape = ellipse(deltoidCentre, deltoidRx, deltoidRy)
                             .united(tube(j.shoulder, j.elbow, upper, fore + 1.0))
                             .united(ellipse(bicepsCentre, bicepsRadius, bicepsRadius))
                             .united(tube(j.elbow, j.wrist, fore + 0.6 + 1.4 * m, fore * 0.8));
    const QPointF forearmBulge = lerp(j.elbow, j.wrist, 0.28);
    shape = shape.united(ellipse(forearmBulge, fore + 0.3 + 1.4 * m, fore + 0.3 + 1.4 * m));

    if (m >= 0.3) {
        // Where the shoulder cap meets the arm, and the lower edge of the biceps.
        const QPointF capLow = deltoidCentre + QPointF(0, deltoidRy);
        creases->addPath(curve(deltoidCentre + QPointF(-side * deltoidRx * 0.6, deltoidRy * 0.55),
                               capLow + QPointF(0, 1),
                               capLow + QPointF(side * deltoidRx * 0.7, -2)));
        creases->addPath(
            curve(bicepsCentre - upperDir * bicepsRadius * 0.6 + inward * bicepsRadius * 0.3,
                  bicepsCentre + upperDir * bicepsRadius * 0.9,
                  bicepsCentre + upperDir * bicepsRadius * 0.7 - inward * bicepsRadius * 0.7));
    }
    // The crook of the elbow.
    creases->addPath(curve(j.elbow + inward * (fore * 0.9) - upperDir * 1.5,
                           j.elbow + inward * (fore * 0.4),
                           j.elbow + inward * (fore * 0.2) + foreDir * 2.5));
    return shape;
}

}  // namespace

FigurePainter::Arm FigurePainter::standingArm(double side) const {
    const Figure& f = figure_;
    const double m = f.muscle;
    const ArmJoints joints{f.shoulderJoint(side),
                           at(side, f.shoulderHalf() + 3.0 + 4.0 * m + 11.0 * f.fat, 108),
                           at(side, f.shoulderHalf() + 5.0 + 5.0 * m + 15.0 * f.fat, 144)};
    Arm arm;
    arm.shape = armShape(f, joints, side, &arm.creases);
    // A loosely closed hand hanging at his side, thumb to the front.
    const QPointF hand = joints.wrist + QPointF(side * 0.5, 7.5);
    const double handRx = 4.2 + 1.3 * m + 1.2 * f.fat;
    const double handRy = 6.3 + 1.0 * m + 0.8 * f.fat;
    arm.shape = arm.shape.united(ellipse(hand, handRx, handRy));
    arm.creases.addPath(curve(hand + QPointF(-side * handRx * 0.9, -handRy * 0.3),
                              hand + QPointF(-side * handRx * 0.1, handRy * 0.1),
                              hand + QPointF(-side * handRx * 0.3, handRy * 0.75)));
    arm.bandAngle = angleOf(joints.shoulder, joints.elbow) + 90;
    return arm;
}

FigurePainter::Arm FigurePainter::wavingArm(double side) const {
    const Figure& f = figure_;
    const double m = f.muscle;
    ArmJoints joints{f.shoulderJoint(side), {}, {}};
    joints.elbow = joints.shoulder + QPointF(side * (20.0 + 6.0 * m), 6.0);
    joints.wrist = joints.elbow + QPointF(side * 3.0, -32.0);
    Arm arm;
    arm.shape = armShape(f, joints, side, &arm.creases);

    // An open hand, fingers spread, waving.
    const QPointF palm = joints.wrist + QPointF(side * 0.5, -8.0);
    const double palmR = 6.0 + 0.8 * m;
    arm.shape = arm.shape.united(ellipse(palm, palmR, palmR + 1.0));
    const double fingerR = 2.0 + 0.3 * m;
    for (int i = 0; i < 4; ++i) {
        const double angle = (-122.0 + 20.0 * i) * M_PI / 180.0;
        const QPointF dir(side * std::cos(angle) * -1.0, std::sin(angle));
        const double reach = (i == 1 || i == 2) ? 15.0 : 13.0;
        arm.shape =
            arm.shape.united(tube(palm + dir * 3.0, palm + dir * reach, fingerR, fingerR * 0.9));
    }
    const QPointF thumbDir(-side * 0.9, -0.45);
    arm.shape = arm.shape.united(
        tube(palm + thumbDir * 3.0, palm + thumbDir * 11.0, fingerR + 0.2, fingerR));
    // Swing marks either side of the hand.
    for (const double s : {-1.0, 1.0}) {
        const QPointF c = palm + QPointF(s * (palmR + 9.0), -6.0);
        arm.swing.addPath(
            curve(c + QPointF(-s * 1.5, -6), c + QPointF(s * 2.5, 0), c + QPointF(-s * 1.5, 6)));
    }
    arm.bandAngle = angleOf(joints.elbow, joints.wrist) + 90;
    return arm;
}

FigurePainter::Arm FigurePainter::armWithFistAtFace(double side) const {
    const Figure& f = figure_;
    ArmJoints joints{f.shoulderJoint(side), at(side, f.shoulderHalf() + 2.0, 86),
                     at(side, 13.5, 45)};
    Arm arm;
    arm.shape = armShape(f, joints, side, &arm.creases);
    // The fist pressed to his eye, knuckles up.
    const QPointF fist(kCx + side * 7.5, 30.5);
    const double fistR = 5.4 + 0.6 * f.muscle;
    QPainterPath fistShape;
    fistShape.addRoundedRect(
        QRectF(fist.x() - fistR, fist.y() - fistR * 0.9, 2 * fistR, 1.9 * fistR), fistR * 0.7,
        fistR * 0.7);
    arm.shape = arm.shape.united(fistShape);
    for (int i = 1; i < 4; ++i) {
        const double x = fist.x() - fistR + 2 * fistR * i / 4.0;
        arm.creases.addPath(curve(QPointF(x, fist.y() - fistR * 0.85),
                                  QPointF(x + 0.4, fist.y() - fistR * 0.5),
                                  QPointF(x, fist.y() - fistR * 0.25)));
    }
    arm.bandAngle = angleOf(joints.elbow, joints.wrist) + 90;
    return arm;
}

QPainterPath FigurePainter::torso() const {
    const Figure& f = figure_;
    const double m = f.muscle;
    const double neck = f.neckHalf();
    const double shoulder = f.shoulderHalf();
    const double chest = f.chestHalf();
    const double waist = f.waistHalf();
    const double hip = f.hipHalf();

    // Traced down his right side (the picture's right), then mirrored; the halves overlap a
    // little so their union leaves no seam down the middle.
    QPainterPath right(at(1, -3, 47));
    right.lineTo(at(1, neck, 47));
    right.cubicTo(at(1, neck + 5 + 6 * m, 49 + 2 * m), at(1, shoulder - 8, 53),
                  at(1, shoulder - 3, 58));
    right.cubicTo(at(1, shoulder, 62), at(1, chest + 2, 70), at(1, chest, 80));
    // The fat man's belly swells past his chest; the champion's waist narrows into a V.
    right.cubicTo(at(1, chest + 4 * f.fat, 90), at(1, waist + 3 * f.fat, 100), at(1, waist, 112));
    right.cubicTo(at(1, waist - 3 * f.fat, 126), at(1, hip, 128), at(1, hip, 140));
    right.lineTo(at(1, hip, 152));
    right.lineTo(at(1, -3, 152));
    right.closeSubpath();
    return right.united(mirrored(right));
}

QPainterPath FigurePainter::thigh(double side) const {
    const Figure& f = figure_;
    const double m = f.muscle;
    const double hip = f.hipHalf();
    const double kneeOut = f.kneeCentre() + f.kneeHalf();
    const double kneeIn = f.kneeCentre() - f.kneeHalf();
    const double gap = f.thighGapHalf();
    QPainterPath path(at(side, hip, 136));
    // The outer sweep of the thigh bulges with muscle and fat alike.
    path.cubicTo(at(side, hip + 3 + 5 * m + 4 * f.fat, 160), at(side, kneeOut + 2 * m + f.fat, 186),
                 at(side, kneeOut, 204));
    path.lineTo(at(side, kneeIn, 204));
    path.cubicTo(at(side, kneeIn - 1.5 * m - 2 * f.fat, 186), at(side, gap, 172),
                 at(side, gap, 150));
    path.lineTo(at(side, gap, 140));
    path.closeSubpath();
    return path;
}

QPainterPath FigurePainter::head() const {
    const Figure& f = figure_;
    const double rx = f.headHalfWidth();
    QPainterPath head = ellipse(QPointF(kCx, 27), rx, 17 + f.fat);
    if (f.muscle > 0.5) {
        // A square jaw for the strong.
        head = head.united(ellipse(QPointF(kCx, 35), rx * 0.86, 9.5));
    }
    if (f.fat > 0) {
        // Round cheeks and a second chin.
        head = head.united(ellipse(QPointF(kCx, 37), rx * 0.95, 9 + f.fat));
    }
    return head;
}

QPainterPath FigurePainter::briefs(const QPainterPath& lowerBody) const {
    const Figure& f = figure_;
    const double top = 126.0 + 8.0 * f.fat;
    QPainterPath cut(at(-1, 70, top - 3));
    cut.quadTo(at(1, 0, top + 3), at(1, 70, top - 3));
    cut.lineTo(at(1, 70, top + 6));
    // High-cut leg openings running down to the crotch.
    cut.cubicTo(at(1, f.hipHalf() - 3, top + 9), at(1, 10, 146), at(1, 6, 156));
    cut.lineTo(at(-1, 6, 156));
    cut.cubicTo(at(-1, 10, 146), at(-1, f.hipHalf() - 3, top + 9), at(-1, 70, top + 6));
    cut.closeSubpath();
    return cut.intersected(lowerBody);
}

void FigurePainter::fillSkin(const QPainterPath& part, double bandAngle) {
    if (!figure_.bandaged) {
        painter_.fillPath(part, figure_.skin);
        return;
    }
    painter_.fillPath(part, palette::kBandage);
    // Wrappings: overlapping strips across the limb, each with a shaded lower edge.
    painter_.save();
    painter_.setClipPath(part, Qt::IntersectClip);
    const QRectF bounds = part.boundingRect().adjusted(-20, -20, 20, 20);
    const QPointF centre = bounds.center();
    painter_.translate(centre);
    painter_.rotate(bandAngle);
    const double reach = std::hypot(bounds.width(), bounds.height()) / 2;
    const QPen edge(palette::kBandageShade, 1.1, Qt::SolidLine, Qt::FlatCap);
    for (double y = -reach; y < reach; y += 5.0) {
        painter_.fillRect(QRectF(-reach, y + 3.2, 2 * reach, 1.6),
                          mix(palette::kBandage, palette::kBandageShade, 0.35));
        painter_.setPen(edge);
        painter_.drawLine(QPointF(-reach, y + 4.8), QPointF(reach, y + 4.8));
    }
    painter_.restore();
}

void FigurePainter::paintLooseBandage() {
    // One end of the wrappings has come undone and hangs from his wrist.
    const QPointF wrist = at(-1, figure_.shoulderHalf() + 5.0 + 5.0 * figure_.muscle, 140);
    QPainterPath trail(wrist);
    trail.cubicTo(wrist + QPointF(-9, 8), wrist + QPointF(2, 20), wrist + QPointF(-6, 34));
    QPainterPathStroker stroker;
    stroker.setWidth(4.5);
    stroker.setCapStyle(Qt::FlatCap);
    const QPainterPath strip = stroker.createStroke(trail);
    painter_.fillPath(strip, palette::kBandage);
    painter_.strokePath(strip,
                        QPen(palette::kOutline, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void FigurePainter::outline(const QPainterPath& path) {
    painter_.strokePath(path,
                        QPen(palette::kOutline, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void FigurePainter::crease(const QPainterPath& path, double strength) {
    if (figure_.bandaged) {
        return;  // wrapped up: no muscle shows
    }
    const QColor colour = mix(figure_.skin, shade_, std::clamp(strength, 0.0, 1.0));
    painter_.strokePath(
        path, QPen(colour, 1.0 + 0.5 * strength, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void FigurePainter::paintArm(const Arm& arm) {
    fillSkin(arm.shape, arm.bandAngle);
    outline(arm.shape);
    crease(arm.creases, 0.6 + 0.4 * figure_.muscle);
    painter_.strokePath(arm.swing, QPen(palette::kOutline, 1.4, Qt::SolidLine, Qt::RoundCap));
}

void FigurePainter::paintTorsoMarks() {
    const Figure& f = figure_;
    const double m = f.muscle;
    const double chest = f.chestHalf();
    for (const double s : {-1.0, 1.0}) {
        if (m < 0.5 && f.fat < 0.5) {
            // Collarbones that show on a thin man.
            crease(curve(at(s, 3, 54), at(s, 10, 57), at(s, f.shoulderHalf() - 7, 55.5)), 0.8 - m);
        }
        if (m < 0.2 && f.fat < 0.2) {
            // Ribs.
            for (int i = 0; i < 3; ++i) {
                const double y = 86.0 + 6.0 * i;
                crease(curve(at(s, chest - 1.5, y), at(s, chest - 5, y + 2.5),
                             at(s, chest - 9, y + 2)),
                       0.55);
            }
        }
        if (m >= 0.3) {
            // The lower edge of each pectoral, deeper as he grows.
            const double low = 84.0 + 5.0 * m;
            crease(curve(at(s, 1, 66), at(s, 1, low + 1), at(s, chest * 0.5, low + 1),
                         at(s, chest - 2, 79)),
                   m);
        }
        if (f.fat > 0.5) {
            crease(curve(at(s, 4, 86), at(s, 14, 96), at(s, chest, 84)), 0.7);
        }
        // Nipples.
        const QPointF nipple = at(s, chest * 0.55, 79.0 + 4.0 * m + 7.0 * f.fat);
        painter_.setPen(Qt::NoPen);
        if (!f.bandaged) {
            painter_.setBrush(mix(f.skin, palette::kNipple, 0.6));
            painter_.drawEllipse(nipple, 1.6, 1.6);
        }
        if (m >= 0.6) {
            // Rows of the abdomen, and the obliques down his flanks.
            for (int row = 0; row < 3; ++row) {
                const double y = 97.0 + 9.5 * row;
                crease(curve(at(s, 1, y), at(s, 5, y + 2), at(s, 8 + 3 * m, y - 0.5)), m);
            }
            crease(curve(at(s, chest - 4, 88), at(s, f.waistHalf() - 3, 104),
                         at(s, f.waistHalf() - 5, 122)),
                   m * 0.8);
        }
        if (m >= 0.85) {
            for (int i = 0; i < 3; ++i) {
                const double y = 86.0 + 5.0 * i;
                crease(curve(at(s, chest - 2, y), at(s, chest - 4, y + 1), at(s, chest - 6, y + 3)),
                       0.8);
            }
        }
    }
    if (m >= 0.3) {
        crease(curve(QPointF(kCx, 90), QPointF(kCx, 106), QPointF(kCx, 120)), m);
    }
    if (m >= 0.5) {
        crease(curve(QPointF(kCx, 62), QPointF(kCx, 74), QPointF(kCx, 84)), m * 0.8);
    }
    const double navelY = 121.0 - 6.0 * f.fat;
    if (!f.bandaged) {
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(shade_);
        painter_.drawEllipse(QPointF(kCx, navelY), 1.2 + 0.6 * f.fat, 1.8 + 0.6 * f.fat);
    }
}

void FigurePainter::paintBellyOverhang(const QPainterPath& body) {
    // The belly hangs over the waistband of his briefs.
    const double w = figure_.waistHalf();
    QPainterPath underside(at(-1, w + 4, 120));
    underside.lineTo(at(-1, w * 0.92, 128));
    underside.quadTo(QPointF(kCx, 150), at(1, w * 0.92, 128));
    underside.lineTo(at(1, w + 4, 120));
    underside.closeSubpath();
    const QPainterPath flap = underside.intersected(body);
    fillSkin(flap, -4);
    painter_.save();
    painter_.setClipPath(body);
    painter_.strokePath(curve(at(-1, w * 0.92, 128), QPointF(kCx, 150), at(1, w * 0.92, 128)),
                        QPen(palette::kOutline, 1.4, Qt::SolidLine, Qt::RoundCap));
    crease(curve(at(-1, w * 0.7, 126), QPointF(kCx, 139), at(1, w * 0.7, 126)), 0.35);
    painter_.restore();
}

void FigurePainter::paintThighMarks() {
    const Figure& f = figure_;
    const double m = f.muscle;
    if (m < 0.3) {
        return;
    }
    for (const double s : {-1.0, 1.0}) {
        // The front of the thigh, then the teardrop above the knee.
        crease(curve(at(s, f.hipHalf() - 4, 150), at(s, f.kneeCentre() + 3, 168),
                     at(s, f.kneeCentre() + 1, 198)),
               m);
        if (m >= 0.6) {
            crease(curve(at(s, f.kneeCentre() - f.kneeHalf() + 1, 176),
                         at(s, f.kneeCentre() - 3, 186), at(s, f.kneeCentre() - 1, 197)),
                   m);
        }
    }
}

void FigurePainter::paintBriefs(const QPainterPath& lowerBody) {
    const QPainterPath shape = briefs(lowerBody);
    painter_.fillPath(shape, palette::kBriefs);
    painter_.save();
    painter_.setClipPath(shape);
    const double top = 126.0 + 8.0 * figure_.fat;
    // The waistband, and a soft fold of cloth so they read as worn, not painted on.
    painter_.strokePath(curve(at(-1, 70, top), at(1, 0, top + 6), at(1, 70, top)),
                        QPen(palette::kBriefsShade, 1.2));
    painter_.strokePath(curve(at(1, 9, 138 + 2 * figure_.fat), at(1, 5, 145), at(1, 2, 150)),
                        QPen(palette::kBriefsShade, 1.4, Qt::SolidLine, Qt::RoundCap));
    painter_.strokePath(curve(at(-1, figure_.hipHalf() - 4, top + 6),
                              at(-1, figure_.hipHalf() - 7, top + 9), at(-1, 9, 139)),
                        QPen(palette::kBriefsLight, 1.6, Qt::SolidLine, Qt::RoundCap));
    painter_.restore();
    outline(shape);
}

void FigurePainter::paintNeck() {
    const Figure& f = figure_;
    const double neck = f.neckHalf();
    QPainterPath shape;
    shape.addRect(QRectF(kCx - neck, 34, 2 * neck, 22));
    fillSkin(shape, 0);
    for (const double s : {-1.0, 1.0}) {
        painter_.strokePath(curve(at(s, neck, 36), at(s, neck, 43), at(s, neck + 0.5, 48)),
                            QPen(palette::kOutline, 1.6, Qt::SolidLine, Qt::RoundCap));
        if (f.muscle >= 0.5) {
            // The cords of a thick neck.
            crease(curve(at(s, neck - 2, 42), at(s, neck - 3, 48), at(s, 2, 55)), f.muscle * 0.7);
        }
    }
}

void FigurePainter::paintHead() {
    const Figure& f = figure_;
    const double rx = f.headHalfWidth();
    for (const double s : {-1.0, 1.0}) {
        const QPainterPath ear = ellipse(at(s, rx - 0.5, 29), 3.2, 4.6);
        fillSkin(ear, 0);
        outline(ear);
    }
    const QPainterPath shape = head();
    if (f.bandaged) {
        fillSkin(shape, -8);
        // The slit he looks out through.
        QPainterPath slit;
        slit.addRoundedRect(QRectF(kCx - rx + 3, 24.5, 2 * rx - 6, 8), 3, 3);
        painter_.fillPath(slit, f.skin);
        painter_.strokePath(slit, QPen(palette::kBandageShade, 1.0));
    } else {
        fillSkin(shape, 0);
    }
    outline(shape);
    if (f.fat > 0) {
        crease(curve(at(-1, 6, 45.5), QPointF(kCx, 48), at(1, 6, 45.5)), 0.8);
    }
    if (!f.bandaged) {
        paintHair();
    }
    paintFace();
}

void FigurePainter::paintHair() {
    const Figure& f = figure_;
    const double rx = f.headHalfWidth();
    // A short crop: the cap of the skull above a jagged fringe.
    QPainterPath fringe(at(-1, 40, 0));
    fringe.lineTo(at(1, 40, 0));
    fringe.lineTo(at(1, 40, 28));
    fringe.lineTo(at(1, rx - 1.5, 28));
    fringe.lineTo(at(1, rx - 3.5, 19));
    const int teeth = 5;
    for (int i = 0; i <= teeth; ++i) {
        const double x = (rx - 4) - 2 * (rx - 4) * i / teeth;
        fringe.lineTo(QPointF(kCx + x, (i % 2 == 0) ? 16.5 : 20.5));
    }
    fringe.lineTo(at(-1, rx - 3.5, 19));
    fringe.lineTo(at(-1, rx - 1.5, 28));
    fringe.lineTo(at(-1, 40, 28));
    fringe.closeSubpath();
    const QPainterPath hair = ellipse(QPointF(kCx, 25.5), rx + 1.6, 18.2).intersected(fringe);
    painter_.fillPath(hair, palette::kHair);
    outline(hair);
    painter_.strokePath(curve(at(-1, 6, 12.5), at(-1, 1, 10.5), at(1, 4, 11)),
                        QPen(palette::kHairLight, 1.6, Qt::SolidLine, Qt::RoundCap));
}

void FigurePainter::paintFace() {
    const Figure& f = figure_;
    const QPen ink(palette::kOutline, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const Expression e = f.expression;

    // Brows: how far the inner and outer ends sit below the brow line.
    double inner = 0;
    double outer = 0;
    double browWidth = 1.4;
    switch (e) {
        case Expression::timid:
            inner = -2.2;
            outer = 0.5;
            break;
        case Expression::crying:
            inner = -2.6;
            outer = 0.8;
            break;
        case Expression::confident:
            inner = 1.2;
            outer = -0.6;
            browWidth = 1.7;
            break;
        case Expression::proud:
            inner = 2.0;
            outer = -0.8;
            browWidth = 2.4;
            break;
        case Expression::beaming:
            inner = -1.0;
            outer = -1.0;
            break;
        default:
            break;
    }
    for (const double s : {-1.0, 1.0}) {
        const double ex = 5.6;
        const double ey = 28.5;
        painter_.strokePath(curve(at(s, 2.5, 22.5 + inner), at(s, 6, 21 + (inner + outer) / 2),
                                  at(s, 9.2, 22.5 + outer)),
                            QPen(palette::kHair, browWidth, Qt::SolidLine, Qt::RoundCap));
        switch (e) {
            case Expression::beaming:
                painter_.strokePath(
                    curve(at(s, ex - 3, ey + 1), at(s, ex, ey - 3.5), at(s, ex + 3, ey + 1)), ink);
                break;
            case Expression::crying: {
                // Squeezed shut: > <
                QPainterPath shut(at(s, ex + 3, ey - 2.5));
                shut.lineTo(at(s, ex - 2, ey));
                shut.lineTo(at(s, ex + 3, ey + 2.5));
                painter_.strokePath(shut, ink);
                break;
            }
            default:
                painter_.setPen(Qt::NoPen);
                painter_.setBrush(palette::kOutline);
                painter_.drawEllipse(at(s, ex, ey), 1.6, 2.1);
                break;
        }
        if (e == Expression::beaming || e == Expression::chubby) {
            painter_.setPen(Qt::NoPen);
            painter_.setBrush(mix(f.skin, palette::kBlush, 0.45));
            painter_.drawEllipse(at(s, 9.2, 34.5), 3.0, 1.8);
        }
    }
    if (e == Expression::bandaged) {
        return;  // the bandages cover nose and mouth
    }
    crease(curve(QPointF(kCx - 0.8, 30.5), QPointF(kCx + 1.8, 33.5), QPointF(kCx - 1.2, 34.2)),
           1.0);

    switch (e) {
        case Expression::timid:
            painter_.strokePath(curve(QPointF(kCx - 3.5, 39), QPointF(kCx - 1.5, 37.8),
                                      QPointF(kCx + 0.5, 39), QPointF(kCx + 3, 38.3)),
                                ink);
            break;
        case Expression::calm:
        case Expression::chubby:
            painter_.strokePath(
                curve(QPointF(kCx - 3.5, 38), QPointF(kCx, 40), QPointF(kCx + 3.5, 38)), ink);
            break;
        case Expression::confident:
            painter_.strokePath(
                curve(QPointF(kCx - 5, 37.3), QPointF(kCx, 41.5), QPointF(kCx + 5, 37.3)), ink);
            break;
        case Expression::proud: {
            QPainterPath grin(QPointF(kCx - 6, 36.5));
            grin.lineTo(QPointF(kCx + 6, 36.5));
            grin.quadTo(QPointF(kCx, 44), QPointF(kCx - 6, 36.5));
            painter_.fillPath(grin, palette::kTeeth);
            painter_.strokePath(
                curve(QPointF(kCx - 5.2, 38.3), QPointF(kCx, 39), QPointF(kCx + 5.2, 38.3)),
                QPen(palette::kTeethLine, 0.8));
            painter_.strokePath(grin, ink);
            break;
        }
        case Expression::beaming: {
            QPainterPath mouth(QPointF(kCx - 6.5, 36));
            mouth.lineTo(QPointF(kCx + 6.5, 36));
            mouth.cubicTo(QPointF(kCx + 6, 43), QPointF(kCx - 6, 43), QPointF(kCx - 6.5, 36));
            painter_.fillPath(mouth, palette::kMouth);
            painter_.save();
            painter_.setClipPath(mouth);
            painter_.fillPath(ellipse(QPointF(kCx, 42.5), 4, 3), palette::kTongue);
            painter_.restore();
            painter_.strokePath(mouth, ink);
            break;
        }
        case Expression::crying: {
            // Wailing: the mouth pulled down at the corners.
            QPainterPath mouth(QPointF(kCx - 5.5, 40.5));
            mouth.quadTo(QPointF(kCx, 33.5), QPointF(kCx + 5.5, 40.5));
            mouth.quadTo(QPointF(kCx, 44), QPointF(kCx - 5.5, 40.5));
            painter_.fillPath(mouth, palette::kMouth);
            painter_.strokePath(mouth, ink);
            break;
        }
        default:
            break;
    }
}

void FigurePainter::paintTears() {
    // Streams down the cheek from the shut eye, and drops flung out to the side.
    const QPen stream(palette::kTear, 2.6, Qt::SolidLine, Qt::RoundCap);
    painter_.strokePath(curve(at(1, 5, 31), at(1, 6.5, 38), at(1, 9, 46)), stream);
    painter_.strokePath(curve(at(-1, 12.5, 38), at(-1, 13.5, 42), at(-1, 12, 49)), stream);
    const QPen rim(palette::kTearRim, 0.9);
    for (const QPointF drop : {at(1, 20, 26), at(1, 24, 36), at(-1, 23, 44)}) {
        QPainterPath shape(drop + QPointF(0, -4.5));
        shape.cubicTo(drop + QPointF(2.8, 0), drop + QPointF(2.8, 3), drop + QPointF(0, 3));
        shape.cubicTo(drop + QPointF(-2.8, 3), drop + QPointF(-2.8, 0), drop + QPointF(0, -4.5));
        painter_.fillPath(shape, palette::kTear);
        painter_.strokePath(shape, rim);
    }
}

void FigurePainter::paintSheen() {
    // Oil on a dark tan: cream highlights along the crowns of the muscles. Cream, not white,
    // so a shine mark laid on top still stands out as pure white.
    const Figure& f = figure_;
    const QColor sheen = mix(f.skin, palette::kSheen, 0.5);
    const QPen gloss(sheen, 2.2, Qt::SolidLine, Qt::RoundCap);
    painter_.save();
    for (const double s : {-1.0, 1.0}) {
        if (armIsRaised(s)) {
            continue;
        }
        const QPointF j = f.shoulderJoint(s);
        painter_.strokePath(
            curve(j + QPointF(-s * 3, -5), j + QPointF(s * 1, -6.5), j + QPointF(s * 5, -3)),
            gloss);
        painter_.strokePath(
            curve(j + QPointF(s * 3.5, 14), j + QPointF(s * 5.5, 20), j + QPointF(s * 5.5, 26)),
            gloss);
    }
    for (const double s : {-1.0, 1.0}) {
        painter_.strokePath(curve(at(s, 7, 70), at(s, 12, 68), at(s, 17, 70)), gloss);
        painter_.strokePath(curve(at(s, f.kneeCentre() + 4, 164), at(s, f.kneeCentre() + 4.5, 170),
                                  at(s, f.kneeCentre() + 4, 176)),
                            gloss);
        painter_.strokePath(curve(at(s, 4, 100), at(s, 6, 99.5), at(s, 8, 100)),
                            QPen(sheen, 1.6, Qt::SolidLine, Qt::RoundCap));
    }
    painter_.restore();
}

}  // namespace mukiro::art
