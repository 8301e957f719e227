#include "rcv/resumen.h"

#include <QHash>
#include <map>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "declarations/catalogo/catalogo.h"
#include "general/errores.h"
#include "general/valores.h"
#include "rcv/correspondencia.h"

namespace {

// A document as the registry knows it: book, type, folio and RUT.
struct Clave {
  qint64 folio;
  qint32 rut;
  qint16 tipo;
  char digito;
  char libro;
  bool operator==(const Clave& o) const {
    return folio == o.folio && rut == o.rut && tipo == o.tipo && digito == o.digito && libro == o.libro;
  }
};

struct HashClave {
  size_t operator()(const Clave& c) const {
    quint64 h = static_cast<quint64>(c.folio) * 0x9E3779B97F4A7C15ull;
    h ^= (static_cast<quint64>(static_cast<quint32>(c.rut)) << 20) ^ (static_cast<quint64>(c.tipo) << 4) ^
         static_cast<quint64>(static_cast<unsigned char>(c.digito)) ^ (static_cast<quint64>(c.libro) << 60);
    return static_cast<size_t>(h ^ (h >> 29));
  }
};

struct Origen {
  int archivo;
  int linea;
};

// The documents read so far, by key: the keys in one dense block, found
// through a small open-addressing table of hash tags and positions, so that a
// register of hundreds of thousands of documents costs no allocation per
// document and few cache misses.
class DocumentosVistos {
 public:
  DocumentosVistos() : ranuras_(1024, 0) {}
  // The origin of the document when it was read before; otherwise it is
  // kept and null is returned.
  const Origen* Agregar(const Clave& clave, const Origen& origen) {
    if ((datos_.size() + 1) * 2 > ranuras_.size()) Crecer();
    const quint64 hash = HashClave()(clave);
    const quint64 etiqueta = (hash >> 32) | 1;  // never 0: 0 marks a free slot
    const size_t mascara = ranuras_.size() - 1;
    for (size_t i = hash & mascara;; i = (i + 1) & mascara) {
      const quint64 r = ranuras_[i];
      if (r == 0) {
        datos_.push_back({clave, origen});
        ranuras_[i] = (etiqueta << 32) | datos_.size();
        return nullptr;
      }
      const auto& dato = datos_[(r & 0xFFFFFFFFu) - 1];
      if ((r >> 32) == etiqueta && dato.first == clave) return &dato.second;
    }
  }

 private:
  void Crecer() {
    std::vector<quint64> ranuras(ranuras_.size() * 2, 0);
    const size_t mascara = ranuras.size() - 1;
    for (size_t n = 0; n < datos_.size(); ++n) {
      const quint64 hash = HashClave()(datos_[n].first);
      size_t i = hash & mascara;
      while (ranuras[i] != 0) i = (i + 1) & mascara;
      ranuras[i] = (((hash >> 32) | 1) << 32) | (n + 1);
    }
    ranuras_.swap(ranuras);
  }
  std::vector<quint64> ranuras_;
  std::vector<std::pair<Clave, Origen>> datos_;
};

void Sumar(qint64& acumulado, qint64 valor) {
  if (__builtin_add_overflow(acumulado, valor, &acumulado))
    throw ErrorAlcabala(QStringLiteral("Las sumas del registro exceden el rango de los montos."));
}

void Sumar(GrupoRcv& g, const DocumentoRcv& d, LibroRcv libro) {
  ++g.documentos;
  Sumar(g.exentoNeto, d.exento + d.neto);
  Sumar(g.iva, libro == LibroRcv::Ventas ? d.iva
                                         : MontoDe(MontoRcv::IvaConDerecho, d) + d.ivaNoRecuperable);
  Sumar(g.total, d.total);
}

QString TextoRutDocumento(const DocumentoRcv& d) {
  return QStringLiteral("%1-%2").arg(d.rut).arg(QLatin1Char(d.digito));
}

// One sum a document goes into: the slots of its boxes (-1: none).
struct Paso {
  int cantidad = -1;
  int monto = -1;
  MontoRcv cual = MontoRcv::Ninguno;
  int signo = 1;
};

// What a kind of document of one file does: whether a line takes it, whether
// it needs the company's ratio, and the sums it goes into.
struct Clasificacion {
  bool incorporado = false;
  bool proporcional = false;
  std::vector<Paso> pasos;
};

class Acumulador {
 public:
  explicit Acumulador(int ano, int mes) {
    r_.ano = ano;
    r_.mes = mes;
    for (const FilaCorrespondencia& f : TablaCorrespondencia())
      for (const QString& caja : {f.cajaCantidad, f.cajaMonto})
        if (!caja.isEmpty() && !ranura_.contains(caja)) {
          ranura_.insert(caja, static_cast<int>(valores_.size()));
          codigos_ << caja;
          valores_.push_back(0);
          alimentada_.push_back(false);
        }
  }

  void Leer(const QString& ruta) {
    LectorRcv lector(ruta);
    ArchivoRcv archivo{lector.Nombre(), lector.Libro(), lector.Seccion(), 0, 0};
    const int indiceArchivo = static_cast<int>(r_.archivos.size());
    nombres_ << lector.Nombre();
    // Kinds of document already classified; runs of the same kind are common.
    std::unordered_map<qint64, Clasificacion> clases;
    qint64 ultimaLlave = -1;
    const Clasificacion* ultima = nullptr;
    lector.Leer([&](const DocumentoRcv& d) {
      ++archivo.documentos;
      const Clave clave{d.folio, d.rut, static_cast<qint16>(d.tipo), d.digito, static_cast<char>(lector.Libro())};
      if (const Origen* primero = vistos_.Agregar(clave, Origen{indiceArchivo, d.linea}))
        return Duplicado(lector, d, *primero);
      if (lector.Seccion() != SeccionRcv::Registro)
        return Listar(noIncorporado_, {0, lector.Libro(), lector.Seccion(), d.tipo, indiceArchivo, d.operacion}, d,
                      lector.Libro());
      if (d.ano != r_.ano || d.mes != r_.mes)
        return Listar(otrosPeriodos_, {1, lector.Libro(), SeccionRcv::Registro, d.ano * 100 + d.mes, 0, 0}, d,
                      lector.Libro());
      const qint64 llave = (static_cast<qint64>(d.tipo) << 32) | static_cast<quint32>(d.operacion);
      if (llave != ultimaLlave) {
        auto c = clases.find(llave);
        if (c == clases.end()) c = clases.emplace(llave, Clasificar(lector, d)).first;
        ultima = &c->second;
        ultimaLlave = llave;
      }
      Incorporar(*ultima, d, lector, indiceArchivo);
    });
    archivo.continuaciones = lector.FilasContinuacion();
    r_.archivos << archivo;
    operaciones_ << lector.Operaciones();
  }

  ResumenRcv Terminar() {
    for (const Caja& caja : Catalogo()) {
      const int i = ranura_.value(caja.codigo, -1);
      if (i >= 0 && alimentada_[i]) {
        r_.casillas << CasillaRcv{caja.codigo, valores_[i]};
        alimentada_[i] = false;
      }
    }
    for (int i = 0; i < static_cast<int>(valores_.size()); ++i)
      if (alimentada_[i]) r_.casillas << CasillaRcv{codigos_.at(i), valores_[i]};
    r_.noIncorporado = Grupos(noIncorporado_);
    r_.proporcionalidad = Grupos(proporcionalidad_);
    r_.otrosPeriodos = Grupos(otrosPeriodos_);
    return r_;
  }

 private:
  // Groups are kept by numbers while reading and named at the end.
  // (kind, book, section, type or period, file, operation)
  using LlaveGrupo = std::tuple<int, LibroRcv, SeccionRcv, int, int, int>;

  Clasificacion Clasificar(const LectorRcv& lector, const DocumentoRcv& d) const {
    const QString operacion = NormalizarOperacion(lector.Operaciones().at(d.operacion));
    Clasificacion c;
    std::vector<Paso> ademas;
    for (const FilaCorrespondencia& fila : TablaCorrespondencia()) {
      if (!FilaAdmite(fila, lector.Libro(), d.tipo, operacion) || (c.incorporado && !fila.ademas)) continue;
      const Paso paso{ranura_.value(fila.cajaCantidad, -1), ranura_.value(fila.cajaMonto, -1), fila.monto,
                      fila.signo};
      if (fila.ademas) {
        ademas.push_back(paso);
        continue;
      }
      c.incorporado = true;
      c.proporcional = fila.destino == DestinoRcv::Proporcionalidad;
      if (!c.proporcional) c.pasos.push_back(paso);
    }
    if (c.incorporado) c.pasos.insert(c.pasos.end(), ademas.begin(), ademas.end());
    return c;
  }

  void Incorporar(const Clasificacion& c, const DocumentoRcv& d, const LectorRcv& lector, int archivo) {
    if (!c.incorporado)
      return Listar(noIncorporado_, {0, lector.Libro(), SeccionRcv::Registro, d.tipo, archivo, d.operacion}, d,
                    lector.Libro());
    ++r_.documentosDelPeriodo;
    if (c.proporcional)
      Listar(proporcionalidad_, {2, lector.Libro(), SeccionRcv::Registro, d.tipo, archivo, d.operacion}, d,
             lector.Libro());
    for (const Paso& paso : c.pasos) Agregar(paso, d);
  }

  void Agregar(const Paso& paso, const DocumentoRcv& d) {
    if (paso.cantidad >= 0) {
      Sumar(valores_[paso.cantidad], 1);
      alimentada_[paso.cantidad] = true;
    }
    if (paso.monto >= 0) {
      Sumar(valores_[paso.monto], paso.signo * MontoDe(paso.cual, d));
      alimentada_[paso.monto] = true;
    }
  }

  void Listar(std::map<LlaveGrupo, GrupoRcv>& grupos, const LlaveGrupo& llave, const DocumentoRcv& d,
              LibroRcv libro) {
    Sumar(grupos[llave], d, libro);
  }

  void Duplicado(const LectorRcv& lector, const DocumentoRcv& d, const Origen& primero) {
    ++r_.totalDuplicados;
    if (r_.duplicados.size() >= MaximoDuplicadosListados) return;
    r_.duplicados << DuplicadoRcv{lector.Nombre(), d.linea,        lector.Libro(),
                                  d.tipo,          d.folio,        TextoRutDocumento(d),
                                  nombres_.at(primero.archivo), primero.linea};
  }

  QList<GrupoRcv> Grupos(const std::map<LlaveGrupo, GrupoRcv>& grupos) const {
    QList<GrupoRcv> r;
    for (const auto& [llave, g] : grupos) {
      const auto& [clase, libro, seccion, numero, archivo, operacion] = llave;
      GrupoRcv nombrado = g;
      const QString libroTexto = NombreLibro(libro);
      if (clase == 1) {
        nombrado.descripcion = QStringLiteral("%1 de %2 del %3").arg(libroTexto, NombreDelMes(numero % 100)).arg(numero / 100);
        nombrado.motivo = QStringLiteral("de otro período: no se suma");
      } else {
        const QString texto = operaciones_.value(archivo).value(operacion);
        nombrado.descripcion = QStringLiteral("%1%2, tipo %3 «%4» (%5)")
                                   .arg(libroTexto,
                                        seccion == SeccionRcv::Registro ? QString()
                                                                        : QLatin1Char(' ') + NombreSeccion(seccion))
                                   .arg(numero)
                                   .arg(texto, nombres_.value(archivo));
        nombrado.motivo = clase == 2 ? QStringLiteral("requiere proporcionalidad")
                          : seccion != SeccionRcv::Registro
                              ? QStringLiteral("la sección %1 no entra en la declaración").arg(NombreSeccion(seccion))
                              : QStringLiteral("sin casilla para este tipo de documento y operación");
      }
      r << nombrado;
    }
    return r;
  }

  ResumenRcv r_;
  QHash<QString, int> ranura_;
  QStringList codigos_;
  std::vector<qint64> valores_;
  std::vector<bool> alimentada_;
  DocumentosVistos vistos_;
  QStringList nombres_;
  QList<QStringList> operaciones_;
  std::map<LlaveGrupo, GrupoRcv> noIncorporado_;
  std::map<LlaveGrupo, GrupoRcv> proporcionalidad_;
  std::map<LlaveGrupo, GrupoRcv> otrosPeriodos_;
};

}  // namespace

ResumenRcv LeerRegistroRcv(const QStringList& rutas, int ano, int mes) {
  Acumulador acumulador(ano, mes);
  for (const QString& ruta : rutas) acumulador.Leer(ruta);
  return acumulador.Terminar();
}
