#pragma once
#include <QString>

namespace prueba {

// Points HOME and XDG_DOCUMENTS_DIR at a temporary folder for the whole test
// run, so no test ever touches the user's documents.
void PrepararEntorno();

// The temporary home made by PrepararEntorno.
QString CarpetaTemporalRaiz();

}  // namespace prueba
