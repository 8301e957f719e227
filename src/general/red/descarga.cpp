#include "general/red/descarga.h"

#include <curl/curl.h>
#include <libxml/parser.h>
#include <png.h>

#include <QElapsedTimer>
#include <QUrl>
#include <cstring>
#include <mutex>

#include "general/errores.h"

namespace {

constexpr char AgenteHttp[] = "Alcabala";
// Pictures beyond this many pixels are refused rather than allocated.
constexpr qint64 PixelesMaximosPNG = 16 * 1024 * 1024;

void IniciarCurl() {
  static std::once_flag una_vez;
  std::call_once(una_vez, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct LiberarCurl {
  void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct LiberarListaCurl {
  void operator()(curl_slist* lista) const { curl_slist_free_all(lista); }
};
struct LiberarContextoXML {
  void operator()(xmlParserCtxt* contexto) const { xmlFreeParserCtxt(contexto); }
};

// The body received so far and the most it may grow to.
struct Recepcion {
  QByteArray cuerpo;
  qint64 limite = TamanoMaximoDescarga;
};

// Appends each piece of the body to the buffer; a body beyond the limit
// aborts the transfer.
size_t RecibirCuerpo(char* datos, size_t tamano, size_t cantidad, void* destino) {
  auto* recepcion = static_cast<Recepcion*>(destino);
  const size_t largo = tamano * cantidad;
  if (recepcion->cuerpo.size() + static_cast<qint64>(largo) > recepcion->limite) return 0;
  recepcion->cuerpo.append(datos, static_cast<qsizetype>(largo));
  return largo;
}

// Whether a redirect stays on the server asked: same scheme, host and port.
bool MismoServidor(const QUrl& pedida, const QUrl& destino) {
  if (!destino.isValid()) return false;
  const QString esquema = pedida.scheme().toLower();
  const int puertoPredeterminado = esquema == QLatin1String("https") ? 443 : 80;
  return destino.scheme().toLower() == esquema &&
         destino.host().compare(pedida.host(), Qt::CaseInsensitive) == 0 &&
         destino.port(puertoPredeterminado) == pedida.port(puertoPredeterminado);
}

std::nullopt_t Fallar(FalloDescarga* fallo, long estado, const QString& motivo) {
  if (fallo) *fallo = FalloDescarga{estado, motivo};
  return std::nullopt;
}

// Position just after the first occurrence of fin at or after desde; the
// end of the text when there is none.
qsizetype SaltarHasta(const QByteArray& texto, qsizetype desde, const char* fin) {
  const qsizetype lugar = texto.indexOf(fin, desde);
  return lugar < 0 ? texto.size() : lugar + static_cast<qsizetype>(std::strlen(fin));
}

// A linear look over the markup before libxml2 reads it: false (with the
// reason) for an element with more attributes than allowed, which the parser
// would check for repeats in quadratic time. Comments, CDATA and processing
// instructions are skipped; quoted values are skipped whole.
bool AtributosAdmisibles(const QByteArray& texto, QString* motivo) {
  qsizetype i = 0;
  const qsizetype n = texto.size();
  while (i < n) {
    if (texto.at(i) != '<') {
      ++i;
      continue;
    }
    if (texto.mid(i, 4) == "<!--") {
      i = SaltarHasta(texto, i + 4, "-->");
    } else if (texto.mid(i, 9) == "<![CDATA[") {
      i = SaltarHasta(texto, i + 9, "]]>");
    } else if (texto.mid(i, 2) == "<?") {
      i = SaltarHasta(texto, i + 2, "?>");
    } else {
      int atributos = 0;
      for (++i; i < n && texto.at(i) != '>'; ++i) {
        const char c = texto.at(i);
        if (c == '"' || c == '\'') {
          const qsizetype cierre = texto.indexOf(c, i + 1);
          i = cierre < 0 ? n : cierre;
        } else if (c == '=' && ++atributos > AtributosMaximosXML) {
          *motivo = QStringLiteral("El documento XML tiene un elemento con demasiados atributos");
          return false;
        }
      }
    }
  }
  return true;
}

QString TextoTipoDeDocumento() {
  return QStringLiteral("El documento XML trae una declaración de tipo de documento (DOCTYPE), que no se admite");
}

// SAX handler of a document type declaration: the program's documents never
// carry one, and entities would be declared there. The parse stops at once.
void RechazarTipoDeDocumento(void* datos, const xmlChar*, const xmlChar*, const xmlChar*) {
  auto* contexto = static_cast<xmlParserCtxtPtr>(datos);
  if (!contexto) return;
  contexto->wellFormed = 0;
  auto* primero = static_cast<QString*>(contexto->_private);
  if (primero)
    *primero = TextoTipoDeDocumento();
  xmlStopParser(contexto);
}

// Keeps the first error of a parse (the later ones follow from it) in the
// QString the context's _private points at.
void GuardarPrimerError(void* datos, xmlErrorPtr error) {
  auto* contexto = static_cast<xmlParserCtxtPtr>(datos);
  auto* primero = contexto ? static_cast<QString*>(contexto->_private) : nullptr;
  if (!primero || !primero->isEmpty() || !error || !error->message || error->level < XML_ERR_ERROR) return;
  *primero = QString::fromUtf8(error->message).trimmed();
}

}  // namespace

void LiberarDocumentoXML::operator()(xmlDoc* documento) const { xmlFreeDoc(documento); }

std::optional<QByteArray> DescargarCuerpo(const QString& url, bool sinCache, FalloDescarga* fallo, qint64 limite) {
  IniciarCurl();
  std::unique_ptr<CURL, LiberarCurl> curl(curl_easy_init());
  if (!curl) return Fallar(fallo, 0, QStringLiteral("no se pudo iniciar la conexión"));
  // Percent-encoded, so addresses with blanks or accents reach the server.
  const QUrl pedida(url.trimmed());
  QByteArray direccion = pedida.toEncoded();
  Recepcion recepcion;
  recepcion.limite = limite;
  std::unique_ptr<curl_slist, LiberarListaCurl> encabezados;
  if (sinCache) {
    encabezados.reset(curl_slist_append(nullptr, "Cache-Control: no-cache"));
    if (!encabezados || !curl_slist_append(encabezados.get(), "Pragma: no-cache"))
      return Fallar(fallo, 0, QStringLiteral("no hay memoria"));
  }
  CURL* c = curl.get();
  char mensaje[CURL_ERROR_SIZE] = {};
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, mensaje);
  curl_easy_setopt(c, CURLOPT_USERAGENT, AgenteHttp);
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  // Redirects are followed here, one by one, and only on the same server.
  curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, TiempoConexionSegundos);
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &RecibirCuerpo);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &recepcion);
  if (encabezados) curl_easy_setopt(c, CURLOPT_HTTPHEADER, encabezados.get());
  QElapsedTimer reloj;
  reloj.start();
  long estado = 0;
  for (int redirecciones = 0;; ++redirecciones) {
    // The whole download, redirects included, has TiempoTotalSegundos.
    const qint64 restanteMs = TiempoTotalSegundos * 1000 - reloj.elapsed();
    if (restanteMs <= 0) return Fallar(fallo, 0, QStringLiteral("se agotó el tiempo de espera"));
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(restanteMs));
    curl_easy_setopt(c, CURLOPT_URL, direccion.constData());
    recepcion.cuerpo.clear();
    mensaje[0] = '\0';
    const CURLcode resultado = curl_easy_perform(c);
    if (resultado == CURLE_WRITE_ERROR)
      return Fallar(fallo, 0, QStringLiteral("la respuesta excede %1 bytes").arg(limite));
    if (resultado != CURLE_OK) {
      const QString texto = QString::fromUtf8(mensaje[0] ? mensaje : curl_easy_strerror(resultado)).trimmed();
      return Fallar(fallo, 0, texto);
    }
    if (curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &estado) != CURLE_OK) estado = 0;
    char* destino = nullptr;
    if (estado / 100 != 3 || curl_easy_getinfo(c, CURLINFO_REDIRECT_URL, &destino) != CURLE_OK || !destino) break;
    const QUrl siguiente = QUrl::fromEncoded(QByteArray(destino));
    if (!MismoServidor(pedida, siguiente))
      return Fallar(fallo, estado,
                    QStringLiteral("el servidor redirigió a otro servidor (%1)")
                        .arg(siguiente.toDisplayString(QUrl::RemoveUserInfo | QUrl::RemovePath | QUrl::RemoveQuery)));
    if (redirecciones >= RedireccionesMaximas)
      return Fallar(fallo, estado, QStringLiteral("demasiadas redirecciones"));
    direccion = siguiente.toEncoded();
  }
  if (estado != 200)
    return Fallar(fallo, estado, QStringLiteral("el servidor respondió con el estado %1").arg(estado));
  return std::move(recepcion.cuerpo);
}

DocumentoXML AnalizarXML(const QByteArray& texto, const QString& url, QString* error) {
  QString rechazo;
  if (texto.size() > TamanoMaximoXML)
    rechazo = QStringLiteral("El documento XML es demasiado grande");
  else
    AtributosAdmisibles(texto, &rechazo);
  if (!rechazo.isEmpty()) {
    if (error) *error = rechazo;
    return nullptr;
  }
  std::unique_ptr<xmlParserCtxt, LiberarContextoXML> contexto(xmlNewParserCtxt());
  if (!contexto) throw ErrorAlcabala(QStringLiteral("No hay memoria para leer el documento XML."));
  // No network, no entity substitution, no DTD loading or validation; the
  // errors are kept in the context instead of being printed.
  const int opciones = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
  QString primerError;
  contexto->_private = &primerError;
  contexto->userData = contexto.get();
  contexto->sax->serror = &GuardarPrimerError;
  contexto->sax->internalSubset = &RechazarTipoDeDocumento;
  const QByteArray direccion = url.toUtf8();
  DocumentoXML documento(xmlCtxtReadMemory(contexto.get(), texto.constData(), static_cast<int>(texto.size()),
                                           direccion.isEmpty() ? nullptr : direccion.constData(), nullptr,
                                           opciones));
  // A declaration the handler did not see (it cannot be missed, but the
  // tree is checked all the same) is refused just as well.
  if (documento && contexto->wellFormed && !documento->intSubset && !documento->extSubset) return documento;
  if (documento && (documento->intSubset || documento->extSubset) && primerError.isEmpty())
    primerError = TextoTipoDeDocumento();
  if (error) {
    const xmlError* ultimo = xmlCtxtGetLastError(contexto.get());
    if (primerError.isEmpty() && ultimo && ultimo->message) primerError = QString::fromUtf8(ultimo->message).trimmed();
    *error = primerError.isEmpty() ? QStringLiteral("El documento XML no está bien formado") : primerError;
  }
  return nullptr;
}

DocumentoXML LeerXML(const QByteArray& texto, const QString& url) {
  QString error;
  DocumentoXML documento = AnalizarXML(texto, url, &error);
  if (!documento) throw ErrorAlcabala(error);
  return documento;
}

DocumentoXML DescargarXML(const QString& url, FalloDescarga* fallo) {
  const std::optional<QByteArray> cuerpo = DescargarCuerpo(url, true, fallo, TamanoMaximoXML);
  if (!cuerpo) return nullptr;
  return LeerXML(*cuerpo, url);
}

QImage DecodificarPNG(const QByteArray& datos) {
  png_image png;
  std::memset(&png, 0, sizeof(png));
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, datos.constData(), static_cast<size_t>(datos.size()))) {
    png_image_free(&png);
    return QImage();
  }
  if (png.width == 0 || png.height == 0 ||
      static_cast<qint64>(png.width) * static_cast<qint64>(png.height) > PixelesMaximosPNG) {
    png_image_free(&png);
    return QImage();
  }
  png.format = PNG_FORMAT_RGBA;
  QImage imagen(static_cast<int>(png.width), static_cast<int>(png.height), QImage::Format_RGBA8888);
  if (imagen.isNull()) {
    png_image_free(&png);
    return QImage();
  }
  // finish_read frees the libpng state itself, on success and on failure.
  if (!png_image_finish_read(&png, nullptr, imagen.bits(), static_cast<png_int_32>(imagen.bytesPerLine()),
                             nullptr)) {
    return QImage();
  }
  return imagen;
}

QImage DescargarPNG(const QString& url) {
  const std::optional<QByteArray> cuerpo = DescargarCuerpo(url, false);
  if (!cuerpo) return QImage();
  return DecodificarPNG(*cuerpo);
}

xmlNode* ElementoRaiz(const xmlDoc* documento) {
  return documento ? xmlDocGetRootElement(documento) : nullptr;
}

QString NombreRaiz(const xmlDoc* documento) {
  const xmlNode* raiz = ElementoRaiz(documento);
  return raiz ? NombreElemento(raiz) : QString();
}

QString NombreElemento(const xmlNode* elemento) {
  return elemento && elemento->name ? QString::fromUtf8(reinterpret_cast<const char*>(elemento->name)) : QString();
}

std::vector<xmlNode*> ElementosHijos(const xmlNode* elemento) {
  std::vector<xmlNode*> hijos;
  if (!elemento) return hijos;
  for (xmlNode* nodo = elemento->children; nodo; nodo = nodo->next) {
    if (nodo->type == XML_ELEMENT_NODE) hijos.push_back(nodo);
  }
  return hijos;
}

xmlNode* PrimerHijo(const xmlNode* elemento, const char* nombre) {
  if (!elemento) return nullptr;
  for (xmlNode* nodo = elemento->children; nodo; nodo = nodo->next) {
    if (nodo->type == XML_ELEMENT_NODE && nodo->name &&
        std::strcmp(reinterpret_cast<const char*>(nodo->name), nombre) == 0) {
      return nodo;
    }
  }
  return nullptr;
}

QString TextoElemento(const xmlNode* elemento) {
  if (!elemento) return QString();
  xmlChar* contenido = xmlNodeGetContent(elemento);
  if (!contenido) return QString();
  const QString texto = QString::fromUtf8(reinterpret_cast<const char*>(contenido));
  xmlFree(contenido);
  return texto;
}
