#include "news/novedades.h"

#include <QUrl>
#include <optional>

#include "general/configuracion.h"
#include "general/red/descarga.h"

namespace {

// The text of an optional link element: empty when absent.
QString EnlaceOpcional(const xmlNode* elemento) {
  return TextoElemento(PrimerHijo(elemento, "NavigateUrl")).trimmed();
}

// A banner's display time: a whole number of milliseconds that fits a
// 32-bit signed integer, blanks around it allowed.
std::optional<qint32> LeerTiempo(const xmlNode* elemento) {
  if (!elemento) return std::nullopt;
  const QString texto = TextoElemento(elemento).trimmed();
  for (const QChar c : texto) {
    if (!c.isDigit() || c.unicode() > u'9') return std::nullopt;
  }
  bool correcto = false;
  const qint32 tiempo = texto.toInt(&correcto, 10);
  if (!correcto) return std::nullopt;
  return tiempo;
}

bool LeerFranjas(const xmlNode* lista, const QUrl& base, QVector<Image>& franjas) {
  for (const xmlNode* hijo : ElementosHijos(lista)) {
    const xmlNode* imageUrl = PrimerHijo(hijo, "ImageUrl");
    const std::optional<qint32> tiempo = LeerTiempo(PrimerHijo(hijo, "Time"));
    if (!imageUrl || !tiempo) return false;
    Image franja;
    const QString direccion = TextoElemento(imageUrl).trimmed();
    franja.ImageUrl = direccion.isEmpty() ? direccion : base.resolved(QUrl(direccion)).toString();
    franja.NavigateUrl = EnlaceOpcional(hijo);
    franja.Time = *tiempo;
    franjas.append(franja);
  }
  return true;
}

bool LeerMensajes(const xmlNode* lista, QVector<Message>& mensajes) {
  for (const xmlNode* hijo : ElementosHijos(lista)) {
    const xmlNode* texto = PrimerHijo(hijo, "Text");
    if (!texto) return false;
    mensajes.append(Message{TextoElemento(texto), EnlaceOpcional(hijo)});
  }
  return true;
}

}  // namespace

bool LeerNovedades(const xmlDoc* documento, const QString& urlFeed, Novedades& novedades) {
  novedades = Novedades();
  if (NombreRaiz(documento) != QLatin1String("Alcabala")) return false;
  const xmlNode* raiz = ElementoRaiz(documento);
  Novedades leidas;
  if (!LeerFranjas(PrimerHijo(raiz, "Images"), QUrl(urlFeed), leidas.Franjas) ||
      !LeerMensajes(PrimerHijo(raiz, "Messages"), leidas.Mensajes)) {
    return false;
  }
  novedades = std::move(leidas);
  return true;
}

bool DescargarNovedades(Novedades& novedades) {
  novedades = Novedades();
  const QString url = UrlBase() + QLatin1String(NombreDocumentoNovedades);
  const std::optional<QByteArray> cuerpo = DescargarCuerpo(url, true, nullptr, TamanoMaximoXML);
  if (!cuerpo) return false;
  // A feed that is not well-formed counts as no feed at all.
  const DocumentoXML documento = AnalizarXML(*cuerpo, url, nullptr);
  return documento && LeerNovedades(documento.get(), url, novedades);
}
