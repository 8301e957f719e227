#include "rcv/lector.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <array>
#include <deque>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "general/errores.h"

namespace {

constexpr qint64 kBloque = 1 << 20;
// A row of the registry is a few hundred bytes; a "line" longer than this is
// not a registry file (a binary file, a file without line ends).
constexpr qint64 kLineaMaxima = 1 << 16;

enum class Codificacion { Indecisa, Utf8, Latin1 };

// The columns a document is read from, by role.
enum Col { kNro, kTipoDoc, kOperacion, kRut, kFolio, kFechaDocto, kFechaRecepcion, kExento, kNeto, kIva,
           kIvaNoRecuperable, kIvaActivoFijo, kIvaUsoComun, kTotal, kColumnas };

struct Disposicion {
  LibroRcv libro;
  // Header name of each role as the registry writes it; null where the book has none.
  std::array<const char*, kColumnas> nombres;
  // Roles a file of this book may lack (the others are required).
  std::array<bool, kColumnas> opcional;
};

const std::array<Disposicion, 2>& Disposiciones() {
  static const std::array<Disposicion, 2> d{{
      {LibroRcv::Compras,
       {"Nro", "Tipo Doc", "Tipo Compra", "RUT Proveedor", "Folio", "Fecha Docto", "Fecha Recepcion", "Monto Exento",
        "Monto Neto", "Monto IVA Recuperable", "Monto Iva No Recuperable", "IVA Activo Fijo", "IVA uso Comun",
        "Monto Total"},
       {}},
      {LibroRcv::Ventas,
       {"Nro", "Tipo Doc", "Tipo Venta", "Rut cliente", "Folio", "Fecha Docto", "Fecha Recepcion", "Monto Exento",
        "Monto Neto", "Monto IVA", nullptr, nullptr, nullptr, "Monto total"},
       {false, false, false, false, false, false, true}},
  }};
  return d;
}

std::string_view Recortar(std::string_view v) {
  while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) v.remove_prefix(1);
  while (!v.empty() && (v.back() == ' ' || v.back() == '\t' || v.back() == '\r')) v.remove_suffix(1);
  return v;
}

// Length of the well-formed UTF-8 sequence at p (before fin), 0 when none.
int SecuenciaUtf8(const unsigned char* p, const unsigned char* fin) {
  const auto cont = [&](int i, unsigned char bajo, unsigned char alto) {
    return p + i < fin && p[i] >= bajo && p[i] <= alto;
  };
  const unsigned char c = p[0];
  if (c >= 0xC2 && c <= 0xDF) return cont(1, 0x80, 0xBF) ? 2 : 0;
  if (c >= 0xE0 && c <= 0xEF) {
    const unsigned char bajo = c == 0xE0 ? 0xA0 : 0x80;
    const unsigned char alto = c == 0xED ? 0x9F : 0xBF;
    return cont(1, bajo, alto) && cont(2, 0x80, 0xBF) ? 3 : 0;
  }
  if (c >= 0xF0 && c <= 0xF4) {
    const unsigned char bajo = c == 0xF0 ? 0x90 : 0x80;
    const unsigned char alto = c == 0xF4 ? 0x8F : 0xBF;
    return cont(1, bajo, alto) && cont(2, 0x80, 0xBF) && cont(3, 0x80, 0xBF) ? 4 : 0;
  }
  return 0;
}

bool LeerEntero(std::string_view v, qint64* r) {
  if (v.empty() || v.size() > 18) return false;
  qint64 valor = 0;
  for (const char c : v) {
    if (c < '0' || c > '9') return false;
    valor = valor * 10 + (c - '0');
  }
  *r = valor;
  return true;
}

}  // namespace

QString NombreLibro(LibroRcv libro) {
  return libro == LibroRcv::Compras ? QStringLiteral("Compras") : QStringLiteral("Ventas");
}

QString NombreSeccion(SeccionRcv seccion) {
  switch (seccion) {
    case SeccionRcv::Registro: return QStringLiteral("REGISTRO");
    case SeccionRcv::Pendiente: return QStringLiteral("PENDIENTE");
    case SeccionRcv::Reclamado: return QStringLiteral("RECLAMADO");
    case SeccionRcv::NoIncluir: return QStringLiteral("NO_INCLUIR");
  }
  return QString();
}

QString NormalizarOperacion(const QString& texto) {
  const QString descompuesto = texto.normalized(QString::NormalizationForm_D);
  QString r;
  r.reserve(descompuesto.size());
  for (const QChar c : descompuesto)
    if (c.category() != QChar::Mark_NonSpacing) r.append(c.toLower());
  return r.simplified();
}

struct LectorRcv::Impl {
  QString ruta;
  QString nombre;
  QFile archivo;
  std::vector<char> buffer;
  qint64 inicio = 0;  // first byte of the next line in buffer
  qint64 fin = 0;     // end of the bytes read
  bool agotado = false;
  int linea = 0;
  Codificacion codificacion = Codificacion::Indecisa;

  const Disposicion* disposicion = nullptr;
  SeccionRcv seccion = SeccionRcv::Registro;
  std::array<int, kColumnas> columna{};
  QStringList encabezado;  // names as written
  int columnasEncabezado = 0;

  // The fields of the line being read: the first nCampos of campos.
  std::vector<std::string_view> campos = std::vector<std::string_view>(64);
  int nCampos = 0;
  void Anadir(const char* desde, size_t largo) {
    if (nCampos == static_cast<int>(campos.size())) campos.resize(campos.size() * 2);
    campos[nCampos++] = std::string_view(desde, largo);
  }
  std::deque<std::string> citados;  // unquoted texts of quoted fields (they never move)
  std::vector<std::pair<std::string, int>> operacionesCrudas;
  QStringList operaciones;
  int continuaciones = 0;

  [[noreturn]] void Error(const QString& detalle) const {
    throw ErrorAlcabala(QStringLiteral("«%1», línea %2: %3").arg(nombre).arg(linea).arg(detalle));
  }

  QString Texto(std::string_view v) const {
    const QByteArray bytes = QByteArray::fromRawData(v.data(), static_cast<int>(v.size()));
    return codificacion == Codificacion::Latin1 ? QString::fromLatin1(bytes) : QString::fromUtf8(bytes);
  }

  // "«texto»", cut to a readable length.
  QString Cita(std::string_view v) const {
    QString t = Texto(v);
    if (t.size() > 40) t = t.left(40) + QStringLiteral("…");
    return QStringLiteral("«%1»").arg(t);
  }

  // The next line without its end, false at the end of the file.
  bool SiguienteLinea(const char** p, const char** f) {
    for (;;) {
      char* base = buffer.data();
      const void* nl = std::memchr(base + inicio, '\n', static_cast<size_t>(fin - inicio));
      if (nl != nullptr || (agotado && fin > inicio)) {
        const char* finLinea = nl != nullptr ? static_cast<const char*>(nl) : base + fin;
        *p = base + inicio;
        *f = finLinea;
        inicio = nl != nullptr ? finLinea - base + 1 : fin;
        ++linea;
        if (finLinea - *p > kLineaMaxima) Error(LineaLarga());
        if (*f > *p && (*f)[-1] == '\r') --*f;
        return true;
      }
      if (agotado) return false;
      if (fin - inicio > kLineaMaxima) {
        ++linea;
        Error(LineaLarga());
      }
      std::memmove(base, base + inicio, static_cast<size_t>(fin - inicio));
      fin -= inicio;
      inicio = 0;
      const qint64 leidos = archivo.read(base + fin, static_cast<qint64>(buffer.size()) - fin);
      if (leidos < 0)
        throw ErrorAlcabala(QStringLiteral("No se puede leer «%1»: %2.").arg(nombre, archivo.errorString()));
      if (leidos == 0) agotado = true;
      fin += leidos;
    }
  }

  static QString LineaLarga() {
    return QStringLiteral("la línea tiene más de %1 bytes: no es un archivo del Registro de Compras y Ventas")
        .arg(kLineaMaxima);
  }

  // Decides the encoding at the first byte beyond ASCII and holds the rest of
  // the file to it (for lines that have such bytes).
  void RevisarCodificacion(const char* p, const char* f) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    const auto* uf = reinterpret_cast<const unsigned char*>(f);
    while (u < uf) {
      const unsigned char c = *u;
      if (c == 0) Error(QStringLiteral("tiene bytes nulos; guarde el archivo como UTF-8 o ISO-8859-1"));
      if (c < 0x80) {
        ++u;
        continue;
      }
      const int largo = SecuenciaUtf8(u, uf);
      if (codificacion == Codificacion::Indecisa)
        codificacion = largo > 0 ? Codificacion::Utf8 : Codificacion::Latin1;
      if (codificacion == Codificacion::Utf8) {
        if (largo == 0)
          Error(QStringLiteral("el byte 0x%1 no es UTF-8, la codificación del archivo hasta aquí")
                    .arg(QString::number(c, 16).toUpper()));
        u += largo;
        continue;
      }
      if (c < 0xA0)
        Error(QStringLiteral("el byte 0x%1 no corresponde a UTF-8 ni a ISO-8859-1")
                  .arg(QString::number(c, 16).toUpper()));
      ++u;
    }
  }

  // Splits a line at `;`, eight bytes at a time, and tells whether it holds
  // a byte beyond ASCII (or a zero byte) for the encoding check. A line with
  // quotes goes the careful way (DividirCitada).
  bool Dividir(const char* p, const char* f) {
    nCampos = 0;
    citados.clear();
    quint64 especiales = 0;
    const char* inicioCampo = p;
    const char* q = p;
    for (; q + 8 <= f; q += 8) {
      quint64 w;
      std::memcpy(&w, q, 8);
      especiales |= (w & kAltos) | BytesIguales(w, 0) | BytesIguales(w, '"');
      for (quint64 m = BytesIguales(w, ';'); m != 0; m &= m - 1) {
        const char* s = q + (__builtin_ctzll(m) >> 3);
        Anadir(inicioCampo, static_cast<size_t>(s - inicioCampo));
        inicioCampo = s + 1;
      }
    }
    for (; q < f; ++q) {
      const char c = *q;
      especiales |= (static_cast<unsigned char>(c) >= 0x80 || c == 0 || c == '"') ? kAltos : 0;
      if (c == ';') {
        Anadir(inicioCampo, static_cast<size_t>(q - inicioCampo));
        inicioCampo = q + 1;
      }
    }
    Anadir(inicioCampo, static_cast<size_t>(f - inicioCampo));
    if (especiales == 0) return false;
    if (std::memchr(p, '"', static_cast<size_t>(f - p)) != nullptr) DividirCitada(p, f);
    return true;
  }

  // The high bit of each byte of w equal to c, exactly.
  static quint64 BytesIguales(quint64 w, unsigned char c) {
    constexpr quint64 kBajos = 0x7F7F7F7F7F7F7F7Full;
    const quint64 t = w ^ (0x0101010101010101ull * c);
    return ~(((t & kBajos) + kBajos) | t | kBajos);
  }
  static constexpr quint64 kAltos = 0x8080808080808080ull;

  // The same split, byte by byte: a field that starts with a quote (after
  // blanks) runs to its closing quote, `""` standing for one quote.
  void DividirCitada(const char* p, const char* f) {
    nCampos = 0;
    const char* inicioCampo = p;
    bool soloBlancos = true;
    for (const char* q = p; q < f; ++q) {
      const char c = *q;
      if (c == ';') {
        Anadir(inicioCampo, static_cast<size_t>(q - inicioCampo));
        inicioCampo = q + 1;
        soloBlancos = true;
        continue;
      }
      if (c == '"' && soloBlancos) {
        q = Citado(q + 1, f);
        if (q >= f) return;
        inicioCampo = q + 1;
        soloBlancos = true;
        continue;
      }
      soloBlancos &= c == ' ';
    }
    Anadir(inicioCampo, static_cast<size_t>(f - inicioCampo));
  }

  // The quoted field starting after its opening quote at p: kept as a field;
  // returns the separator after it, or the end of the line.
  const char* Citado(const char* q, const char* f) {
    std::string texto;
    for (;;) {
      if (q >= f) Error(QStringLiteral("un campo entre comillas no se cierra"));
      if (*q == '"') {
        if (q + 1 < f && q[1] == '"') {
          texto.push_back('"');
          q += 2;
          continue;
        }
        ++q;
        break;
      }
      texto.push_back(*q++);
    }
    while (q < f && (*q == ' ' || *q == '\t')) ++q;
    if (q < f && *q != ';') Error(QStringLiteral("hay texto después de un campo entre comillas"));
    citados.push_back(std::move(texto));
    Anadir(citados.back().data(), citados.back().size());
    return q;
  }

  // --- The header ------------------------------------------------------------

  void LeerEncabezado() {
    const char* p = nullptr;
    const char* f = nullptr;
    bool hay = SiguienteLinea(&p, &f);
    if (hay && f - p >= 2) {
      const auto* u = reinterpret_cast<const unsigned char*>(p);
      if ((u[0] == 0xFF && u[1] == 0xFE) || (u[0] == 0xFE && u[1] == 0xFF))
        Error(QStringLiteral("el archivo está en UTF-16; guárdelo como UTF-8 o ISO-8859-1"));
    }
    if (hay && f - p >= 3 && std::memcmp(p, "\xEF\xBB\xBF", 3) == 0) {
      p += 3;
      codificacion = Codificacion::Utf8;
    }
    const auto enBlanco = [&] { return Recortar(std::string_view(p, static_cast<size_t>(f - p))).empty(); };
    if (hay && enBlanco()) {
      const char* p2 = nullptr;
      const char* f2 = nullptr;
      while (SiguienteLinea(&p2, &f2))
        if (!Recortar(std::string_view(p2, static_cast<size_t>(f2 - p2))).empty()) {
          linea = 1;
          Error(QStringLiteral("falta el encabezado: la primera línea está en blanco"));
        }
      hay = false;
    }
    if (!hay)
      throw ErrorAlcabala(QStringLiteral("«%1» está vacío: no trae el encabezado del Registro de Compras y Ventas.")
                              .arg(nombre));
    if (Dividir(p, f)) RevisarCodificacion(p, f);
    QHash<QString, int> indice;
    for (int i = 0; i < nCampos; ++i) {
      const QString texto = Texto(Recortar(campos[i])).trimmed();
      encabezado << texto;
      indice.insert(NormalizarOperacion(texto), i);
    }
    columnasEncabezado = nCampos;
    const std::string_view linea0(p, static_cast<size_t>(f - p));
    if (nCampos == 1) {
      for (const char sep : {',', '\t', '|'})
        if (linea0.find(sep) != std::string_view::npos)
          Error(QStringLiteral("las columnas no están separadas por «;» (el archivo usa «%1»)")
                    .arg(sep == '\t' ? QStringLiteral("tabulador") : QString(QLatin1Char(sep))));
    }
    ElegirDisposicion(indice);
    ElegirSeccion(indice);
  }

  void ElegirDisposicion(const QHash<QString, int>& indice) {
    const Disposicion* mejor = nullptr;
    int mejorHallados = -1;
    for (const Disposicion& d : Disposiciones()) {
      int hallados = 0;
      for (const char* n : d.nombres)
        if (n != nullptr && indice.contains(NormalizarOperacion(QString::fromLatin1(n)))) ++hallados;
      // The column that names the kind of operation tells the book.
      if (indice.contains(NormalizarOperacion(QString::fromLatin1(d.nombres[kOperacion])))) hallados += 100;
      if (hallados > mejorHallados) {
        mejor = &d;
        mejorHallados = hallados;
      }
    }
    disposicion = mejor;
    for (int k = 0; k < kColumnas; ++k) {
      const char* n = mejor->nombres[k];
      columna[k] = n == nullptr ? -1 : indice.value(NormalizarOperacion(QString::fromLatin1(n)), -1);
      if (n != nullptr && columna[k] < 0 && !mejor->opcional[k]) {
        if (mejorHallados == 0 && PareceDato())
          Error(QStringLiteral("falta el encabezado: la primera línea trae datos (%1)").arg(Cita(campos[0])));
        Error(QStringLiteral("el encabezado no es el del detalle de %1 del Registro de Compras y Ventas: "
                             "falta la columna «%2»")
                  .arg(NombreLibro(mejor->libro).toLower(), QString::fromLatin1(n)));
      }
    }
  }

  bool PareceDato() const {
    qint64 n = 0;
    for (int i = 0; i < nCampos; ++i)
      if (LeerEntero(Recortar(campos[i]), &n)) return true;
    return false;
  }

  void ElegirSeccion(const QHash<QString, int>& indice) {
    seccion = SeccionRcv::Registro;
    if (disposicion->libro == LibroRcv::Ventas) return;
    // The registry names the section in the file's name; the columns tell
    // the pending and claimed ones too. What is not plainly the register
    // never enters the declaration.
    QString base = QFileInfo(ruta).fileName().toLower();
    base.replace(QLatin1Char('-'), QLatin1Char('_')).replace(QLatin1Char(' '), QLatin1Char('_'));
    if (base.contains(QStringLiteral("no_incluir")) || base.contains(QStringLiteral("noincluir")))
      seccion = SeccionRcv::NoIncluir;
    else if (base.contains(QStringLiteral("reclamado")) || indice.contains(QStringLiteral("fecha reclamo")))
      seccion = SeccionRcv::Reclamado;
    else if (base.contains(QStringLiteral("pendiente")) || !indice.contains(QStringLiteral("fecha acuse")))
      seccion = SeccionRcv::Pendiente;
  }

  // --- The rows --------------------------------------------------------------

  std::string_view Campo(int rol) const { return Recortar(campos[columna[rol]]); }

  QString NombreColumna(int rol) const { return encabezado.value(columna[rol]); }

  qint64 Entero(int rol, const char* falta) const {
    const std::string_view v = Campo(rol);
    qint64 n = 0;
    if (v.empty()) Error(QString::fromUtf8(falta));
    if (!LeerEntero(v, &n))
      Error(QStringLiteral("«%1» no es un número: %2").arg(NombreColumna(rol), Cita(v)));
    return n;
  }

  qint64 Monto(int rol) const {
    if (columna[rol] < 0) return 0;
    const std::string_view v = Campo(rol);
    if (v.empty() || v == "-") return 0;
    qint64 n = 0;
    if (LeerEntero(v, &n)) return n;
    if (v.front() == '-' && LeerEntero(v.substr(1), &n))
      Error(QStringLiteral("el monto de «%1» es negativo: %2").arg(NombreColumna(rol), Cita(v)));
    Error(QStringLiteral("el monto de «%1» no es un número entero de pesos: %2").arg(NombreColumna(rol), Cita(v)));
  }

  // "DD/MM/AAAA", with the hour after it in the reception dates: the year
  // and month of a real calendar day.
  std::pair<int, int> Fecha(int rol) const {
    const std::string_view v = Campo(rol);
    if (v.empty()) Error(QStringLiteral("falta la fecha de «%1»").arg(NombreColumna(rol)));
    qint64 d = 0, m = 0, a = 0;
    const bool forma = v.size() >= 10 && v[2] == '/' && v[5] == '/' && (v.size() == 10 || v[10] == ' ') &&
                       LeerEntero(v.substr(0, 2), &d) && LeerEntero(v.substr(3, 2), &m) &&
                       LeerEntero(v.substr(6, 4), &a);
    if (!forma || a < 1900 || m < 1 || m > 12 || d < 1 || d > DiasDelMes(static_cast<int>(a), static_cast<int>(m)))
      Error(QStringLiteral("«%1» no es una fecha DD/MM/AAAA: %2").arg(NombreColumna(rol), Cita(v)));
    return {static_cast<int>(a), static_cast<int>(m)};
  }

  static int DiasDelMes(int ano, int mes) {
    static constexpr int kDias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool bisiesto = (ano % 4 == 0 && ano % 100 != 0) || ano % 400 == 0;
    return mes == 2 && bisiesto ? 29 : kDias[mes - 1];
  }

  // "12.345.678-5" or "12345678-5".
  void Rut(DocumentoRcv* doc) const {
    const std::string_view v = Campo(kRut);
    if (v.empty()) Error(QStringLiteral("falta el RUT de «%1»").arg(NombreColumna(kRut)));
    const size_t guion = v.size() >= 3 ? v.size() - 2 : 0;
    bool valido = guion > 0 && v[guion] == '-';
    qint64 cuerpo = 0;
    int digitos = 0;
    for (size_t i = 0; valido && i < guion; ++i) {
      if (v[i] >= '0' && v[i] <= '9') {
        cuerpo = cuerpo * 10 + (v[i] - '0');
        valido = ++digitos <= 9;
      } else {
        valido = v[i] == '.';
      }
    }
    const char dv = v.back() == 'k' ? 'K' : v.back();
    valido = valido && cuerpo > 0 && ((dv >= '0' && dv <= '9') || dv == 'K');
    if (!valido) Error(QStringLiteral("«%1» no es un RUT: %2").arg(NombreColumna(kRut), Cita(v)));
    doc->rut = static_cast<qint32>(cuerpo);
    doc->digito = dv;
  }

  int Operacion() {
    const std::string_view v = Campo(kOperacion);
    for (const auto& [texto, indice] : operacionesCrudas)
      if (texto == v) return indice;
    operacionesCrudas.emplace_back(std::string(v), static_cast<int>(operaciones.size()));
    operaciones << Texto(v).trimmed();
    return operacionesCrudas.back().second;
  }

  void Leer(const std::function<void(const DocumentoRcv&)>& cada) {
    const char* p = nullptr;
    const char* f = nullptr;
    bool hayAnterior = false;
    DocumentoRcv anterior;
    while (SiguienteLinea(&p, &f)) {
      if (Recortar(std::string_view(p, static_cast<size_t>(f - p))).empty()) continue;
      if (Dividir(p, f)) RevisarCodificacion(p, f);
      const int n = nCampos;
      if (n < columnasEncabezado)
        Error(QStringLiteral("la fila tiene %1 columnas y el encabezado %2").arg(n).arg(columnasEncabezado));
      for (int i = columnasEncabezado; i < n; ++i)
        if (!Recortar(campos[i]).empty())
          Error(QStringLiteral("la fila trae datos después de la última columna del encabezado: %1")
                    .arg(Cita(Recortar(campos[i]))));
      DocumentoRcv doc;
      doc.linea = linea;
      doc.tipo = static_cast<int>(Entero(kTipoDoc, "falta el tipo de documento («Tipo Doc»)"));
      doc.folio = Entero(kFolio, "falta el folio del documento («Folio»)");
      Rut(&doc);
      if (Campo(kNro).empty() && hayAnterior && doc.tipo == anterior.tipo && doc.folio == anterior.folio &&
          doc.rut == anterior.rut && doc.digito == anterior.digito) {
        // A continuation row: another additional tax of the document above.
        ++continuaciones;
        continue;
      }
      doc.operacion = Operacion();
      const auto emision = Fecha(kFechaDocto);
      const auto periodo = disposicion->libro == LibroRcv::Compras ? Fecha(kFechaRecepcion) : emision;
      doc.ano = periodo.first;
      doc.mes = periodo.second;
      doc.exento = Monto(kExento);
      doc.neto = Monto(kNeto);
      doc.iva = Monto(kIva);
      doc.ivaNoRecuperable = Monto(kIvaNoRecuperable);
      doc.ivaActivoFijo = Monto(kIvaActivoFijo);
      doc.ivaUsoComun = Monto(kIvaUsoComun);
      doc.total = Monto(kTotal);
      anterior = doc;
      hayAnterior = true;
      cada(doc);
    }
  }
};

LectorRcv::LectorRcv(const QString& ruta) : d(std::make_unique<Impl>()) {
  d->ruta = ruta;
  d->nombre = QFileInfo(ruta).fileName();
  d->archivo.setFileName(ruta);
  if (!d->archivo.open(QIODevice::ReadOnly))
    throw ErrorAlcabala(QStringLiteral("No se puede abrir «%1»: %2.").arg(d->nombre, d->archivo.errorString()));
  d->buffer.resize(static_cast<size_t>(kBloque + kLineaMaxima));
  d->LeerEncabezado();
}

LectorRcv::~LectorRcv() = default;

LibroRcv LectorRcv::Libro() const { return d->disposicion->libro; }
SeccionRcv LectorRcv::Seccion() const { return d->seccion; }
QString LectorRcv::Nombre() const { return d->nombre; }
void LectorRcv::Leer(const std::function<void(const DocumentoRcv&)>& cada) { d->Leer(cada); }
const QStringList& LectorRcv::Operaciones() const { return d->operaciones; }
int LectorRcv::FilasContinuacion() const { return d->continuaciones; }
