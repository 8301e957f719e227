#pragma once
// HTTP downloads from the maker's server (libcurl, blocking), with the XML
// documents read by libxml2 and the banner pictures decoded by libpng.
//
// A download succeeds only when the server answers with status 200. The
// program announces itself as "Alcabala", takes proxies from the environment
// and gives up on a server that does not connect within TiempoConexion or
// does not finish within TiempoTotal, so a dead server cannot freeze the
// window for good.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <libxml/tree.h>

#include <memory>
#include <optional>
#include <vector>

// Seconds allowed to connect to the server.
inline constexpr long TiempoConexionSegundos = 10;
// Seconds allowed for the whole request, body included.
inline constexpr long TiempoTotalSegundos = 30;
// Most redirects followed; each must stay on the same scheme, host and port.
inline constexpr int RedireccionesMaximas = 5;
// Largest body accepted; a longer answer counts as a failed download.
inline constexpr qint64 TamanoMaximoDescarga = 16 * 1024 * 1024;
// Largest XML document read: the feed and the UTM documents are about 1 KB.
inline constexpr qint64 TamanoMaximoXML = 1024 * 1024;
// Most attributes one XML element may carry (the parser checks them for
// repeats in quadratic time; real documents carry none or one).
inline constexpr int AtributosMaximosXML = 64;

// Why a download gave no body: the HTTP status when the server answered with
// another than 200 (0 when it did not answer), and a Spanish reason.
struct FalloDescarga {
  long estado = 0;
  QString motivo;
};

struct LiberarDocumentoXML {
  void operator()(xmlDoc* documento) const;
};
// An XML document that frees itself.
using DocumentoXML = std::unique_ptr<xmlDoc, LiberarDocumentoXML>;

// The body of an HTTP GET of url, or nothing when the address cannot be
// opened, the transfer fails, times out or is too long, or the status is not
// exactly 200. With sinCache the request asks every cache on the way for a
// fresh copy. Only http and https addresses are fetched; a redirect is
// followed only to the same scheme, host and port, at most
// RedireccionesMaximas times (within TiempoTotalSegundos in all).
// A body longer than limite counts as failed. Why it failed goes to *fallo
// when given.
std::optional<QByteArray> DescargarCuerpo(const QString& url, bool sinCache, FalloDescarga* fallo = nullptr,
                                          qint64 limite = TamanoMaximoDescarga);

// Reads an XML document from memory in the encoding it declares, without
// network access, entity substitution or DTD loading. A document longer than
// TamanoMaximoXML, with an element of more than AtributosMaximosXML
// attributes, or with a document type declaration (<!DOCTYPE …>, where
// entities would be declared) is refused unread. Returns nullptr and the
// reason in *error (when given) for such text and for text that is not
// well-formed (libxml2's message).
DocumentoXML AnalizarXML(const QByteArray& texto, const QString& url, QString* error);

// As AnalizarXML, but text that is not well-formed raises ErrorAlcabala with
// libxml2's message.
DocumentoXML LeerXML(const QByteArray& texto, const QString& url);

// Downloads url afresh (no cached copy, at most TamanoMaximoXML) and reads
// it as XML. nullptr when the download fails (see DescargarCuerpo; the
// reason in *fallo when given); a body that AnalizarXML refuses raises
// ErrorAlcabala with its reason.
DocumentoXML DescargarXML(const QString& url, FalloDescarga* fallo = nullptr);

// Decodes a PNG picture; a null QImage when the data is not a PNG that
// libpng can read, or is unreasonably large.
QImage DecodificarPNG(const QByteArray& datos);

// Downloads url (a cached copy is allowed) and decodes it as PNG. A null
// QImage when the download fails or the picture does not decode.
QImage DescargarPNG(const QString& url);

// --- Reading the tree ---------------------------------------------------------
// The document element, or nullptr for an empty document.
xmlNode* ElementoRaiz(const xmlDoc* documento);
// Name of the document element; empty text when there is none.
QString NombreRaiz(const xmlDoc* documento);
// Name of an element.
QString NombreElemento(const xmlNode* elemento);
// The child elements of an element, in document order (text, comments and
// other nodes left out).
std::vector<xmlNode*> ElementosHijos(const xmlNode* elemento);
// The first child element with exactly that name, or nullptr.
xmlNode* PrimerHijo(const xmlNode* elemento, const char* nombre);
// The text an element holds (all its text and CDATA, nested included).
QString TextoElemento(const xmlNode* elemento);
