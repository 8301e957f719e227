#include "general/descarga.h"

#include <curl/curl.h>
#include <libxml/parser.h>
#include <png.h>

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

// Appends each piece of the body to the buffer; a body beyond the limit
// aborts the transfer.
size_t RecibirCuerpo(char* datos, size_t tamano, size_t cantidad, void* destino) {
  auto* cuerpo = static_cast<QByteArray*>(destino);
  const size_t largo = tamano * cantidad;
  if (cuerpo->size() + static_cast<qint64>(largo) > TamanoMaximoDescarga) return 0;
  cuerpo->append(datos, static_cast<qsizetype>(largo));
  return largo;
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

std::optional<QByteArray> DescargarCuerpo(const QString& url, bool sinCache) {
  IniciarCurl();
  std::unique_ptr<CURL, LiberarCurl> curl(curl_easy_init());
  if (!curl) return std::nullopt;
  // Percent-encoded, so addresses with blanks or accents reach the server.
  const QByteArray direccion = QUrl(url.trimmed()).toEncoded();
  QByteArray cuerpo;
  std::unique_ptr<curl_slist, LiberarListaCurl> encabezados;
  if (sinCache) {
    encabezados.reset(curl_slist_append(nullptr, "Cache-Control: no-cache"));
    if (!encabezados || !curl_slist_append(encabezados.get(), "Pragma: no-cache")) return std::nullopt;
  }
  CURL* c = curl.get();
  curl_easy_setopt(c, CURLOPT_URL, direccion.constData());
  curl_easy_setopt(c, CURLOPT_USERAGENT, AgenteHttp);
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, TiempoConexionSegundos);
  curl_easy_setopt(c, CURLOPT_TIMEOUT, TiempoTotalSegundos);
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &RecibirCuerpo);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &cuerpo);
  if (encabezados) curl_easy_setopt(c, CURLOPT_HTTPHEADER, encabezados.get());
  if (curl_easy_perform(c) != CURLE_OK) return std::nullopt;
  long estado = 0;
  if (curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &estado) != CURLE_OK || estado != 200) return std::nullopt;
  return cuerpo;
}

DocumentoXML AnalizarXML(const QByteArray& texto, const QString& url, QString* error) {
  if (texto.size() > TamanoMaximoDescarga) {
    if (error) *error = QStringLiteral("El documento XML es demasiado grande");
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
  const QByteArray direccion = url.toUtf8();
  DocumentoXML documento(xmlCtxtReadMemory(contexto.get(), texto.constData(), static_cast<int>(texto.size()),
                                           direccion.isEmpty() ? nullptr : direccion.constData(), nullptr,
                                           opciones));
  if (documento && contexto->wellFormed) return documento;
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

DocumentoXML DescargarXML(const QString& url) {
  const std::optional<QByteArray> cuerpo = DescargarCuerpo(url, true);
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
