#pragma once
// The two locales the tests format amounts in: Chile (thousands with ".",
// decimals with ",") and the United States (the other way round).

#include <QLocale>

namespace prueba {

inline const QLocale Chile(QLocale::Spanish, QLocale::Chile);
inline const QLocale EEUU(QLocale::English, QLocale::UnitedStates);

}  // namespace prueba
