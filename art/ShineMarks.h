// The white shine marks the beauty salon leaves on the man's skin.
#pragma once

#include "art/Figure.h"

class QPainter;

namespace mukiro::art {

// Marks are drawn without antialiasing in pure white, so a shiny picture is its base picture
// with a few hundred pixels turned white and nothing else changed.
class ShineMarks {
  public:
    explicit ShineMarks(const Figure& figure);

    void paint(QPainter& painter) const;

  private:
    Figure figure_;
};

}  // namespace mukiro::art
