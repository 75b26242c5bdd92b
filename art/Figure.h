// The man on the body pictures: how he is built, what he wears and how he stands.
#pragma once

#include <QColor>
#include <QPointF>

namespace mukiro::art {

// What he does with his arms. Standing is the pose of every level picture, so that the poke
// lands on the same spot of him whatever level he has reached.
enum class Pose {
    standing,
    waving,      // his left arm raised, hand open: the audition passed
    handAtFace,  // his right fist at his eye: the audition failed
};

enum class Expression {
    timid,  // worried brows, small mouth: the weakling at the start
    calm,
    confident,  // set brows, a smile
    proud,      // heavy brows, a grin that shows his teeth
    beaming,    // eyes shut in a smile, mouth wide open
    crying,     // eyes squeezed shut, tears, mouth wailing
    chubby,     // round cheeks, a double chin
    bandaged,   // only the eyes show through the wrappings
};

// Every measurement of the man is derived from a few numbers, so one drawing routine paints
// the weakling, the champion and the fat man alike. Lengths are pixels of the 200 x 200
// picture; he always stands with his middle on centreX, cropped just below the knees.
struct Figure {
    QColor skin;
    double muscle = 0.0;  // 0 is skin and bone, 1 is the champion
    double fat = 0.0;     // 0 is lean, 1 is the plump end
    bool oiled = false;   // the champion's sheen, in cream so that pure white stays for shine marks
    bool bandaged = false;
    Pose pose = Pose::standing;
    Expression expression = Expression::calm;

    // A half-pixel offset puts the centre line through the middle of pixel column 90, the
    // middle of the poke's hit region.
    static constexpr double centreX = 90.5;

    double headHalfWidth() const { return 13.5 + 1.0 * muscle + 3.0 * fat; }
    double neckHalf() const { return 5.0 + 4.0 * muscle + 3.0 * fat; }
    double shoulderHalf() const { return 23.0 + 17.0 * muscle + 9.0 * fat; }
    double chestHalf() const { return 17.0 + 12.0 * muscle + 10.0 * fat; }
    double waistHalf() const { return 14.5 + 3.5 * muscle + 27.0 * fat; }
    double hipHalf() const { return 17.5 + 4.5 * muscle + 14.0 * fat; }
    double upperArmRadius() const { return 4.8 + 5.2 * muscle + 3.5 * fat; }
    double forearmRadius() const { return 3.8 + 3.2 * muscle + 2.5 * fat; }
    double kneeCentre() const { return 12.5 + 3.0 * muscle + 8.0 * fat; }
    double kneeHalf() const { return 6.0 + 2.5 * muscle + 4.0 * fat; }
    // Half the gap between his thighs just below the briefs: never closed, even on the fat man.
    double thighGapHalf() const { return 3.0 - 0.5 * muscle - 0.4 * fat; }

    QPointF shoulderJoint(double side) const {
        return {centreX + side * (shoulderHalf() - 0.9 * upperArmRadius()), 64.0};
    }
};

}  // namespace mukiro::art
