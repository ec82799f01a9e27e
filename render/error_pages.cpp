#include "error_pages.h"

#include "page_frame.h"
#include "page_paths.h"

#include <string>

namespace velmora {

namespace render {

PageResponse failure(int status, std::string_view heading, std::string_view explanation)
{
    std::string title = std::string("Erreur ") + std::to_string(status) + " — " + std::string(heading);
    std::string body = "<h1>" + title + "</h1><div class=\"panel\"><p>" + std::string(explanation) +
                       "</p><p><a href=\"" + std::string(pagepaths::kHome) + "\">Retour à l’accueil</a></p></div>";
    return {status, page(title, {}, body), {}};
}

} // namespace render

using render::failure;

std::string errorPage(int status)
{
    switch (status) {
    case 400:
        return failure(400, "requête invalide", "La requête reçue est mal formée ; ce service ne peut pas y répondre.")
            .html;
    case 404:
        return failure(404, "page introuvable", "Cette page n’existe pas sur ce service.").html;
    case 405:
        return failure(405, "méthode non autorisée",
                       "Ce service ne fait que servir des pages : il n’accepte que les requêtes GET et HEAD.")
            .html;
    case 413:
        return failure(413, "requête trop volumineuse", "La requête envoyée est trop volumineuse pour ce service.")
            .html;
    case 414:
        return failure(414, "adresse trop longue",
                       "L’adresse demandée est trop longue : la ligne de requête ne peut dépasser 8 Kio. Raccourcissez "
                       "le message.")
            .html;
    case 416:
        return failure(416, "plage non satisfaisable", "La partie de page demandée n’existe pas.").html;
    case 421:
        return failure(421, "requête mal dirigée",
                       "Ce service de rendu est intégré au programme VelmoraWin III et ne répond qu’à sa propre "
                       "adresse locale.")
            .html;
    case 500:
        return failure(500, "erreur interne", "Le service a rencontré une erreur en préparant cette page.").html;
    case 503:
        return failure(503, "service occupé",
                       "Le service reçoit en ce moment plus de connexions qu’il n’en sert à la fois. Réessayez dans "
                       "un instant.")
            .html;
    default:
        return failure(status, "erreur", "Ce service ne peut pas répondre à cette requête.").html;
    }
}

std::string errorPage(int status, std::string_view explanation)
{
    return failure(status, status == 400 ? "requête invalide" : "erreur", explanation).html;
}

} // namespace velmora
