#include "shell/unit_choice.h"

#include <QSettings>

namespace zano {

// Kept in the same INI file as the recent files (~/.config/ZANO/ZANO.ini).
UnitChoice::UnitChoice() {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, "ZANO", "ZANO");
    const auto system = systemNamed(s.value("units").toString().toStdString());
    units_.system = system.value_or(UnitSystem::SI);
    units_.decimal = s.value("decimal").toString() == "point" ? '.' : ',';
}

UnitChoice& UnitChoice::instance() {
    static UnitChoice choice;
    return choice;
}

void UnitChoice::set(const Units& u) {
    if (u == units_) return;
    units_ = u;
    QSettings s(QSettings::IniFormat, QSettings::UserScope, "ZANO", "ZANO");
    s.setValue("units", units_.system == UnitSystem::US ? "us" : "si");
    s.setValue("decimal", units_.decimal == '.' ? "point" : "comma");
    emit changed();
}

}  // namespace zano
