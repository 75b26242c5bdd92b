// A labelled sheet of every picture of the set, for looking the art over at a glance.
#pragma once

#include <QImage>
#include <QString>
#include <utility>
#include <vector>

namespace mukiro::tools {

class ContactSheet {
  public:
    void add(const QString& label, const QImage& picture);

    // Pictures in the order added, six to a row, each with its label beneath, on the grey of
    // a plain window so the backgrounds can be judged where they will be seen.
    QImage render() const;

  private:
    std::vector<std::pair<QString, QImage>> entries_;
};

}  // namespace mukiro::tools
