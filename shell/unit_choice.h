#pragma once

#include <QObject>

#include "formats/units.h"

// The units and decimal separator the user reads and types in: a preference kept in the user's
// settings beside the recent files, never in a case. Every window fills its texts through it and
// fills them again when it changes.
namespace zano {

class UnitChoice : public QObject {
    Q_OBJECT
  public:
    static UnitChoice& instance();
    Units units() const { return units_; }
    // Keeps the choice in the settings and tells every window, when it differs from the one held.
    void set(const Units& u);

  signals:
    void changed();

  private:
    UnitChoice();
    Units units_;
};

inline Units currentUnits() {
    return UnitChoice::instance().units();
}

}  // namespace zano
