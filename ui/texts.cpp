#include "ui/texts.h"

#include "velmora_config.h"

#include <QStringList>

namespace velmora::texts {
namespace {

// Joins lines, each followed by CR LF.
QString lines(std::initializer_list<QString> list)
{
    QString text;
    for (const QString &line : list) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

QString blanks(int count)
{
    return QString(count, QLatin1Char(' '));
}

} // namespace

QString morseInfo()
{
    return lines({
        QStringLiteral("Samuel Morse (1791-1872),"),
        QStringLiteral(" "),
        QStringLiteral("  Peintre et inventeur américain. On lui  doit l'invention du télégraphe "),
        QStringLiteral("éléctrique qui porte, justement, son nom (conçu en 1832 et breveté "),
        QStringLiteral("en 1840)."),
        QStringLiteral("  Il s'agit d'un code télégraphique utilisant un alphabet conventionnel "),
        QStringLiteral("fait de traits et de points."),
    });
}

QString alphaNumInfo()
{
    return lines({
        QStringLiteral("  Il éxiste des centaines de codes alphanumériques, plus ou moins "),
        QStringLiteral("complexes. Mais la méthode est toujours plus ou moins la même."),
        QString(),
        QStringLiteral("  Exemple: \"Afin de décoder cela, il vous faudra visiter un détroit\", "),
        QStringLiteral("signifiant donc que le message est codé en \"D=3\" (\"Détroit\"). Mais il "),
        QStringLiteral("est y a des centaines de dérivées, toutes aussi interessantes les "),
        QStringLiteral("unes que les autres. Un autre expemple serait \"Si vous comptez "),
        QStringLiteral("comprendre, vous devrez rendre visite à un avocat.\" Soit, message "),
        QStringLiteral("codé en A=K (\"A vaut K\", \"Avocat\")."),
    });
}

QString caesarInfo()
{
    return lines({
        QStringLiteral("  Jules César (Caïus Julius Caesar) (100av.JC - 44av. JC)"),
        QString(),
        QStringLiteral("  Homme d'état Romain et conquéreur. A fin de se communiquer"),
        QStringLiteral("en secret, J. César utilisait un code assez simple: Il remplassait "),
        QStringLiteral("chaque lettre de l'alphabet par la 3ème."),
        QStringLiteral("Éxemple:"),
        QStringLiteral("a=d; b=e etc... Ce code est souvent connu sous le nom \"Caesar\"."),
    });
}

QString polybeInfo()
{
    return lines({
        QStringLiteral("  Polybe (U. Polybius) (200av. JC. - 120av. JC.),"),
        QStringLiteral("Historien Grec, faisant partie des mille otages livrés aux Romains"),
        QStringLiteral("et vécu 16 ans à Rome. Il est classé parmis les plus grands historiens"),
        QStringLiteral("Grecs."),
        QStringLiteral("  Polybe inventa un système de signalisation avec des torches, afin "),
        QStringLiteral("de transmettre un message a plus ou moins longue distance. Il s'agit"),
        QStringLiteral("d'utiliser une \"grille\" de 25 cases et y insérer l'alphabet. Étant"),
        QStringLiteral("donné que l'alphabet 'romain' utilise 26 lettres, il joint V et W."),
    });
}

QString gatoInfo()
{
    return lines({
        QStringLiteral("  ...Ou plus internationalement connu sous le nom de \"TIC-TAC-TOE\","),
        QStringLiteral("Bref, un simple code représenté dans une grille. Il s'agit uniquement"),
        QStringLiteral("de représenté une lettre par sa position dans la grille."),
        QString(),
        QStringLiteral("  Pourquoi donc le nom de 'Gato'... Simple... Courrament utilisé dans"),
        QStringLiteral("les pays hispanophones, 'Gato-Gato' est le justement le jeux de"),
        QStringLiteral("\"Tic-tac-toe\". Par ailleurs 'Gato' veut dire chat... "),
    });
}

QString mersInfo()
{
    return lines({
        QStringLiteral("  Lors du XVIIIème siècle, la 'British Royal Navy',"),
        QStringLiteral("developpa un code grâce à un système de drapeaux. Ce système"),
        QStringLiteral("est actuellement encore utilisé dans tout le monde, sous le"),
        QStringLiteral("nom de Codes de Signaux Internationaux, ou plus courrament sous"),
        QStringLiteral("le nom du \"Code des Mers\"."),
        QStringLiteral("  Dans ce code, chaque drapeau représente une lettre de l'alphabet,"),
        QStringLiteral("ou bien, une combinaison de drapeaux pour les urgences."),
    });
}

QString semaphoreInfo()
{
    return lines({
        QStringLiteral("  Il s'agit, à nouveau, d'un système de drapeaux,"),
        QStringLiteral("reconnu internationalement. Il était largement utilisé par"),
        QStringLiteral("les marins avant l'invention de la radio. Ainsi les marins"),
        QStringLiteral("pouvaient communiquer avec d'autres bateaux, ou bien un port,"),
        QStringLiteral("sans avoir besoin d'être aussi prêt l'un de l'autre."),
    });
}

QString welcome()
{
    const QString oneBlank = blanks(1);
    return lines({
        blanks(72) + QStringLiteral("Bienvenue sur"),
        blanks(75),
        blanks(59) + QStringLiteral("VelmoraWin 3ème génération"),
        oneBlank,
        oneBlank,
        oneBlank,
        oneBlank,
        blanks(6) + QStringLiteral("Merci d'avoir télécharger VelmoraWin; Nous vous invitons à "
                                   "nous faire connaître vos impressions au "),
        QStringLiteral("sujet du logiciel, en visitant notre site web sur ") + QString::fromUtf8(VELMORA_SITE_ADDRESS) +
            QStringLiteral(" et en laissant, ainsi, un "),
        QStringLiteral("message sur le livre d'Or."),
        oneBlank,
        oneBlank,
        oneBlank,
        blanks(86) + QString::fromUtf8(VELMORA_CONTACT_EMAIL),
    });
}

QString morse2Help()
{
    return lines({
        QStringLiteral("  Il s'agit du même code Morse"),
        QStringLiteral("cependant, pour compliquer un"),
        QStringLiteral("peu les choses, nous représentont"),
        QStringLiteral("par des voyelles et des consonnes"),
        QStringLiteral("les points et les traits."),
        QStringLiteral("[Dans ce cas, P et O]"),
        QString(),
        QStringLiteral("  Pour compliquer encore plus, il"),
        QStringLiteral("est possible d'utiliser toutes les"),
        QStringLiteral("voyelles et consonnes."),
    });
}

QString mainCaption()
{
    return blanks(104) + QStringLiteral("VelmoraWin III");
}

QString initialMessage()
{
    return QStringLiteral("Votre Message ICI\r\n");
}

} // namespace velmora::texts
