// Every picture of the three drawn codes against a statement of the code
// written here on its own, the way a person would write it on paper: the
// sides of each Gato cell, the colours of each signal flag by region (checked
// on the flag as an SVG renderer paints it), and where each of the
// signaller's two arms points for each semaphore letter.
#include "render/pages.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTest>

#include <cmath>

namespace {

QString pageOf(const char *path)
{
    return QString::fromStdString(velmora::renderPage("GET", path, "texte=x").html);
}

QString symbolBody(const QString &page, const QString &id)
{
    const QRegularExpression re("<symbol id=\"" + QRegularExpression::escape(id) +
                                "\" viewBox=\"[^\"]*\">(.*?)</symbol>");
    return re.match(page).captured(1);
}

// ----------------------------------------------------------------- Gato ----

// The pigpen grids: A..I in a # grid read row by row, J..R the same with a
// dot; S..V in an X (top, left, right, bottom quarter), W..Z the same with a
// dot. A cell is drawn by the lines of the grid around it; a quarter of the X
// by its two lines, as a V whose point is at the X's centre.
struct GatoLetter {
    char letter;
    const char *drawn; // grid: the sides drawn; X: where the V points
    bool dot;
};
constexpr GatoLetter kGato[] = {
    {'A', "right bottom", false},
    {'B', "left right bottom", false},
    {'C', "left bottom", false},
    {'D', "top right bottom", false},
    {'E', "top left right bottom", false},
    {'F', "top left bottom", false},
    {'G', "top right", false},
    {'H', "top left right", false},
    {'I', "top left", false},
    {'J', "right bottom", true},
    {'K', "left right bottom", true},
    {'L', "left bottom", true},
    {'M', "top right bottom", true},
    {'N', "top left right bottom", true},
    {'O', "top left bottom", true},
    {'P', "top right", true},
    {'Q', "top left right", true},
    {'R', "top left", true},
    {'S', "point down", false},
    {'T', "point right", false},
    {'U', "point left", false},
    {'V', "point up", false},
    {'W', "point down", true},
    {'X', "point right", true},
    {'Y', "point left", true},
    {'Z', "point up", true},
};

struct Segment {
    QPointF a, b;
};

// The straight lines of an outline (absolute M, L, H, V, Z).
QList<Segment> segments(const QString &d)
{
    QList<Segment> out;
    QPointF at, start;
    static const QRegularExpression cmd(R"(([MLHVZ])\s*([-\d.]*)\s*([-\d.]*))");
    for (const auto &m : cmd.globalMatch(d)) {
        const QChar c = m.captured(1).at(0);
        QPointF next = at;
        if (c == 'M') {
            at = start = QPointF(m.captured(2).toDouble(), m.captured(3).toDouble());
            continue;
        }
        if (c == 'L')
            next = QPointF(m.captured(2).toDouble(), m.captured(3).toDouble());
        else if (c == 'H')
            next.setX(m.captured(2).toDouble());
        else if (c == 'V')
            next.setY(m.captured(2).toDouble());
        else
            next = start;
        out << Segment{at, next};
        at = next;
    }
    return out;
}

// What an outline draws, in the words of the table.
QString describeGato(const QList<Segment> &lines)
{
    // A V: two lines sharing one end, the point.
    if (lines.size() == 2 && lines[0].b == lines[1].a && lines[0].a.x() != lines[0].b.x() &&
        lines[0].a.y() != lines[0].b.y()) {
        const QPointF point = lines[0].b;
        const QPointF opening = (lines[0].a + lines[1].b) / 2;
        const QPointF towards = point - opening;
        if (std::abs(towards.x()) > std::abs(towards.y()))
            return towards.x() > 0 ? "point right" : "point left";
        return towards.y() > 0 ? "point down" : "point up";
    }
    // Sides of the cell 12..48: each a whole side, in a fixed order.
    QStringList sides;
    for (const Segment &s : lines) {
        const qreal lo = qMin(s.a.x() + s.a.y(), s.b.x() + s.b.y()), hi = qMax(s.a.x() + s.a.y(), s.b.x() + s.b.y());
        if (s.a.y() == s.b.y() && hi - lo == 36)
            sides << (s.a.y() == 12 ? "top" : s.a.y() == 48 ? "bottom" : "stray");
        else if (s.a.x() == s.b.x() && hi - lo == 36)
            sides << (s.a.x() == 12 ? "left" : s.a.x() == 48 ? "right" : "stray");
        else
            sides << "stray";
    }
    QStringList ordered;
    for (const QString side : {"top", "left", "right", "bottom", "stray"})
        for (int n = sides.count(side); n > 0; --n)
            ordered << side;
    return ordered.join(' ');
}

// ------------------------------------------------------- Code des Mers ----

// Each flag by its shape and its colours, region by region. The hoist is the
// side at the mast (the left of the picture), the fly the free side.
//   all C                  one colour
//   horizontal C1 C2 ...   equal stripes, from the top
//   vertical C1 C2 ...     equal stripes, from the hoist
//   quarters UH UF LH LF   upper hoist, upper fly, lower hoist, lower fly
//   corners C, centre C    the four corners, the middle
//   edges C | H T F B      the middle of each edge (hoist, top, fly, bottom)
//   inner C                a band just inside the edges
//   checks C1 C2           four by four squares, C1 in the upper hoist
//   falling A B            divided from the upper hoist to the lower fly: A above, B below
//   stripes A B            diagonal stripes of A and B, A in the upper hoist corner
//   ball C                 a ball near the hoist (pennants)
//   cross C, field C       a cross near the hoist, and the ground around it (pennants)
struct FlagStatement {
    char flag;
    const char *shape; // rectangle, swallowtail, pennant
    const char *colours;
};
constexpr FlagStatement kFlags[] = {
    {'A', "swallowtail", "vertical white blue"},
    {'B', "swallowtail", "all red"},
    {'C', "rectangle", "horizontal blue white red white blue"},
    {'D', "rectangle", "horizontal yellow blue blue yellow"},
    {'E', "rectangle", "horizontal blue red"},
    {'F', "rectangle", "corners white; centre red; edges red"},
    {'G', "rectangle", "vertical yellow blue yellow blue yellow blue"},
    {'H', "rectangle", "vertical white red"},
    {'I', "rectangle", "corners yellow; edges yellow; centre black"},
    {'J', "rectangle", "horizontal blue white blue"},
    {'K', "rectangle", "vertical yellow blue"},
    {'L', "rectangle", "quarters yellow black black yellow"},
    {'M', "rectangle", "edges blue; centre white; corners white"},
    {'N', "rectangle", "checks blue white"},
    {'O', "rectangle", "falling red yellow"},
    {'P', "rectangle", "edges blue; corners blue; centre white"},
    {'Q', "rectangle", "all yellow"},
    {'R', "rectangle", "quarters red red red red; centre yellow; edges yellow"},
    {'S', "rectangle", "edges white; corners white; centre blue"},
    {'T', "rectangle", "vertical red white blue"},
    {'U', "rectangle", "quarters red white white red"},
    {'V', "rectangle", "edges white; centre red; corners red"},
    {'W', "rectangle", "edges blue; corners blue; inner white; centre red"},
    {'X', "rectangle", "quarters white white white white; centre blue; edges blue"},
    {'Y', "rectangle", "stripes yellow red"},
    {'Z', "rectangle", "edges black yellow red blue"},
    {'1', "pennant", "field white; ball red"},
    {'2', "pennant", "field blue; ball white"},
    {'3', "pennant", "vertical red white blue"},
    {'4', "pennant", "field red; cross white"},
    {'5', "pennant", "vertical yellow blue"},
    {'6', "pennant", "horizontal black white"},
    {'7', "pennant", "horizontal yellow red"},
    {'8', "pennant", "field white; cross red"},
    {'9', "pennant", "quarters white black red yellow"},
    {'0', "pennant", "vertical yellow red yellow"},
};

// The colours of the signal flags, by name; a painted colour is named by the
// nearest of them.
const QMap<QString, QColor> &palette()
{
    static const QMap<QString, QColor> p = {{"white", QColor(255, 255, 255)},
                                            {"blue", QColor(0, 61, 165)},
                                            {"red", QColor(218, 41, 28)},
                                            {"yellow", QColor(255, 205, 0)},
                                            {"black", QColor(17, 17, 17)}};
    return p;
}

QString colourName(QRgb pixel)
{
    if (qAlpha(pixel) < 128)
        return "none";
    QString best = "?";
    int bestDistance = 60 * 60 * 3; // farther than this from every colour: unnamed
    for (auto it = palette().cbegin(); it != palette().cend(); ++it) {
        const int dr = qRed(pixel) - it->red(), dg = qGreen(pixel) - it->green(), db = qBlue(pixel) - it->blue();
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = it.key();
        }
    }
    return best;
}

constexpr int kScale = 10; // pixels per unit of the 60 x 40 flag

// The flag as an SVG renderer paints it, alone, at ten pixels per unit. The
// clip to the flag's shape is left out: every region sampled lies inside the
// shape, and the shape itself is checked on the outline.
QImage paintFlag(const QString &symbol)
{
    QString body = symbol;
    body.remove(QRegularExpression(" clip-path=\"[^\"]*\""));
    const QByteArray svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"600\" height=\"400\" viewBox=\"0 0 60 40\">" +
        body.toUtf8() + "</svg>";
    QSvgRenderer renderer(svg);
    QImage image(60 * kScale, 40 * kScale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (!renderer.isValid())
        return {};
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

// The colour at (FX, FY), fractions of the flag's length from the hoist and
// of its height from the top.
QString colourAt(const QImage &image, qreal fx, qreal fy)
{
    return colourName(image.pixel(int(fx * 60 * kScale), int(fy * 40 * kScale)));
}

// Whether the outline's polygon holds the point (fractions), even-odd.
bool insideOutline(const QList<Segment> &outline, qreal fx, qreal fy)
{
    const QPointF p(fx * 60, fy * 40);
    bool in = false;
    for (const Segment &s : outline)
        if ((s.a.y() > p.y()) != (s.b.y() > p.y()) &&
            p.x() < s.a.x() + (p.y() - s.a.y()) * (s.b.x() - s.a.x()) / (s.b.y() - s.a.y()))
            in = !in;
    return in;
}

// ----------------------------------------------------------- Semaphore ----

// Each letter as the signaller makes it, with its own left hand (LH) and right
// hand (RH): down, low, out, high, up on the hand's own side, or across the
// body, low or high.
struct SemaphoreStatement {
    const char *symbol;
    const char *arms;
};
constexpr SemaphoreStatement kSemaphore[] = {
    {"sA", "LH down; RH low"}, {"sB", "LH down; RH out"},        {"sC", "LH down; RH high"},
    {"sD", "LH down; RH up"},  {"sE", "LH high; RH down"},       {"sF", "LH out; RH down"},
    {"sG", "LH low; RH down"}, {"sH", "LH across low; RH out"},  {"sI", "LH across low; RH high"},
    {"sJ", "LH out; RH up"},   {"sK", "LH up; RH low"},          {"sL", "LH high; RH low"},
    {"sM", "LH out; RH low"},  {"sN", "LH low; RH low"},         {"sO", "LH across high; RH out"},
    {"sP", "LH up; RH out"},   {"sQ", "LH high; RH out"},        {"sR", "LH out; RH out"},
    {"sS", "LH low; RH out"},  {"sT", "LH up; RH high"},         {"sU", "LH high; RH high"},
    {"sV", "LH low; RH up"},   {"sW", "LH out; RH across high"}, {"sX", "LH low; RH across high"},
    {"sY", "LH out; RH high"}, {"sZ", "LH out; RH across low"},  {"sNum", "LH high; RH up"},
};

// The signaller faces the reader: the right hand is on the picture's left.
// Directions as a compass on the picture (N up, E to the reader's right).
QString compass(const QString &hand, const QString &position)
{
    const bool right = hand == "RH";
    static const QMap<QString, QString> rightHand = {{"down", "S"},        {"low", "SW"}, {"out", "W"},
                                                     {"high", "NW"},       {"up", "N"},   {"across low", "SE"},
                                                     {"across high", "NE"}};
    static const QMap<QString, QString> leftHand = {{"down", "S"},        {"low", "SE"}, {"out", "E"},
                                                    {"high", "NE"},       {"up", "N"},   {"across low", "SW"},
                                                    {"across high", "NW"}};
    return (right ? rightHand : leftHand).value(position, "?");
}

// The picture's rotation (degrees, clockwise from pointing right, y down) as a compass direction.
QString compassOfRotation(int degrees)
{
    static const char *const names[8] = {"E", "SE", "S", "SW", "W", "NW", "N", "NE"};
    return degrees % 45 == 0 ? names[(degrees / 45) % 8] : "?";
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void gato_data();
    void gato();
    void flags_data();
    void flags();
    void semaphore_data();
    void semaphore();
};

void TestPictures::gato_data()
{
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("drawn");
    QTest::addColumn<bool>("dot");
    for (const GatoLetter &g : kGato)
        QTest::addRow("%c: %s%s", g.letter, g.drawn, g.dot ? ", dot" : "")
            << QString("g%1").arg(g.letter) << QString(g.drawn) << g.dot;
}

void TestPictures::gato()
{
    QFETCH(QString, symbol);
    QFETCH(QString, drawn);
    QFETCH(bool, dot);
    const QString body = symbolBody(pageOf("/codes/gato/transgato.php3"), symbol);
    QVERIFY2(!body.isEmpty(), qPrintable(symbol));
    static const QRegularExpression stroke("<path d=\"([^\"]*)\"");
    QList<Segment> lines;
    for (const auto &m : stroke.globalMatch(body))
        lines += segments(m.captured(1));
    QCOMPARE(describeGato(lines), drawn);

    static const QRegularExpression circle(R"re(<circle cx="([-\d.]+)" cy="([-\d.]+)")re");
    QList<QPointF> dots;
    for (const auto &m : circle.globalMatch(body))
        dots << QPointF(m.captured(1).toDouble(), m.captured(2).toDouble());
    QCOMPARE(dots.size(), dot ? 1 : 0);
    if (!dot)
        return;
    // The dot sits inside the cell, or inside the V's opening.
    const QPointF d = dots.front();
    if (drawn.startsWith("point")) {
        const QPointF point = lines[0].b;
        if (drawn == "point down")
            QVERIFY(d.y() < point.y());
        else if (drawn == "point up")
            QVERIFY(d.y() > point.y());
        else if (drawn == "point right")
            QVERIFY(d.x() < point.x());
        else
            QVERIFY(d.x() > point.x());
    } else {
        QVERIFY(d.x() > 12 && d.x() < 48 && d.y() > 12 && d.y() < 48);
    }
}

void TestPictures::flags_data()
{
    QTest::addColumn<QString>("flag");
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("colours");
    for (const FlagStatement &f : kFlags)
        QTest::addRow("%c %s: %s", f.flag, f.shape, f.colours) << QString(QChar(f.flag)) << f.shape << f.colours;
}

void TestPictures::flags()
{
    QFETCH(QString, flag);
    QFETCH(QString, shape);
    QFETCH(QString, colours);
    const QString symbol = symbolBody(pageOf("/codes/mers/transmers.php3"), "f" + flag);
    QVERIFY2(!symbol.isEmpty(), qPrintable(flag));

    // The shape: the last path is the flag's outline.
    static const QRegularExpression outlinePath("<path d=\"([^\"]*)\" fill=\"none\"");
    QString d;
    for (const auto &m : outlinePath.globalMatch(symbol))
        d = m.captured(1);
    const QList<Segment> outline = segments(d);
    const bool pennant = shape == "pennant";
    struct Probe {
        qreal x, y;
        bool inside;
    };
    QList<Probe> shapeProbes = {{0.02, 0.03, true},
                                {0.02, 0.97, true},
                                {0.98, 0.5, shape != "swallowtail"},
                                {0.96, 0.02, !pennant},
                                {0.96, 0.98, !pennant}};
    for (const Probe &p : shapeProbes)
        QVERIFY2(insideOutline(outline, p.x, p.y) == p.inside,
                 qPrintable(QString("outline at %1,%2").arg(p.x).arg(p.y)));

    const QImage image = paintFlag(symbol);
    QVERIFY(!image.isNull());
    QStringList wrong; // every region painted otherwise than stated
    auto expect = [&](qreal x, qreal y, const QString &colour) {
        const QString found = colourAt(image, x, y);
        if (found != colour)
            wrong << QString("at %1,%2: %3, not %4").arg(x).arg(y).arg(found, colour);
    };

    for (const QString &clause : colours.split("; ")) {
        QStringList words = clause.split(' ');
        const QString kind = words.takeFirst();
        const int n = int(words.size());
        if (kind == "all") {
            for (qreal x : {0.2, 0.5, 0.7})
                for (qreal y : {0.2, 0.5, 0.8})
                    expect(x, y, words[0]);
        } else if (kind == "horizontal") {
            for (int i = 0; i < n; ++i)
                for (qreal x : {0.15, 0.5})
                    expect(x, (i + 0.5) / n, words[i]);
        } else if (kind == "vertical") {
            for (int i = 0; i < n; ++i)
                for (qreal y : {0.3, 0.5})
                    expect((i + 0.5) / n, y, words[i]);
        } else if (kind == "quarters") {
            const QList<QPointF> at = pennant ? QList<QPointF>{{0.2, 0.3}, {0.6, 0.38}, {0.2, 0.7}, {0.6, 0.62}}
                                              : QList<QPointF>{{0.25, 0.25}, {0.75, 0.25}, {0.25, 0.75}, {0.75, 0.75}};
            for (int i = 0; i < 4; ++i)
                expect(at[i].x(), at[i].y(), words[i]);
        } else if (kind == "corners") {
            for (const QPointF p : {QPointF(0.04, 0.06), QPointF(0.96, 0.06), QPointF(0.04, 0.94), QPointF(0.96, 0.94)})
                expect(p.x(), p.y(), words[0]);
        } else if (kind == "centre") {
            expect(0.5, 0.5, words[0]);
        } else if (kind == "edges") {
            const QList<QPointF> at = {{0.06, 0.5}, {0.5, 0.08}, {0.94, 0.5}, {0.5, 0.92}};
            for (int i = 0; i < 4; ++i)
                expect(at[i].x(), at[i].y(), words[n == 4 ? i : 0]);
        } else if (kind == "inner") {
            for (const QPointF p : {QPointF(0.18, 0.5), QPointF(0.82, 0.5), QPointF(0.5, 0.25), QPointF(0.5, 0.75)})
                expect(p.x(), p.y(), words[0]);
        } else if (kind == "checks") {
            for (int row = 0; row < 4; ++row)
                for (int col = 0; col < 4; ++col)
                    expect((col + 0.5) / 4, (row + 0.5) / 4, words[(row + col) % 2]);
        } else if (kind == "falling") {
            // The diagonal runs from (0, 0) to (1, 1) in fractions of the flag.
            for (const QPointF p : {QPointF(0.6, 0.45), QPointF(0.3, 0.1), QPointF(0.9, 0.6), QPointF(0.92, 0.1)})
                expect(p.x(), p.y(), words[0]);
            for (const QPointF p : {QPointF(0.4, 0.55), QPointF(0.7, 0.9), QPointF(0.1, 0.4), QPointF(0.08, 0.9)})
                expect(p.x(), p.y(), words[1]);
        } else if (kind == "stripes") {
            expect(0.03, 0.05, words[0]);
            // Across the flag and down it, the two colours alternate: the stripes slant.
            for (const bool across : {true, false}) {
                QString last;
                int changes = 0;
                for (int k = 1; k < 40; ++k) {
                    const QString c = across ? colourAt(image, k / 40.0, 0.5) : colourAt(image, 0.5, k / 40.0);
                    if (c != words[0] && c != words[1])
                        wrong << "a stripe of " + c;
                    changes += !last.isEmpty() && c != last;
                    last = c;
                }
                QVERIFY2(changes >= (across ? 4 : 2), qPrintable(QString::number(changes)));
            }
        } else if (kind == "ball") {
            expect(0.25, 0.5, words[0]);
        } else if (kind == "cross") {
            for (const QPointF p : {QPointF(0.3, 0.5), QPointF(0.3, 0.15), QPointF(0.3, 0.85), QPointF(0.7, 0.5)})
                expect(p.x(), p.y(), words[0]);
        } else if (kind == "field") {
            for (const QPointF p : {QPointF(0.1, 0.2), QPointF(0.1, 0.8), QPointF(0.6, 0.35), QPointF(0.45, 0.3)})
                expect(p.x(), p.y(), words[0]);
        } else {
            QFAIL(qPrintable("unknown region " + kind));
        }
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("; ")));
}

void TestPictures::semaphore_data()
{
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("arms");
    for (const SemaphoreStatement &s : kSemaphore)
        QTest::addRow("%s: %s", s.symbol, s.arms) << QString(s.symbol) << QString(s.arms);
}

void TestPictures::semaphore()
{
    QFETCH(QString, symbol);
    QFETCH(QString, arms);
    const QString body = symbolBody(pageOf("/codes/semaphore/transsemaphore.php3"), symbol);
    QVERIFY2(!body.isEmpty(), qPrintable(symbol));

    // The statement, as compass directions of the picture.
    QMap<QString, QString> expected;
    for (const QString &part : arms.split("; ")) {
        const QString hand = part.left(2);
        expected[hand] = compass(hand, part.mid(3));
    }

    // The picture: each arm from its shoulder (left of the body: the right hand).
    static const QRegularExpression arm(
        R"re(<use href="#sarm" transform="translate\(([-\d.]+) [-\d.]+\) rotate\((\d+)\))re");
    QMap<QString, QString> found;
    for (const auto &m : arm.globalMatch(body)) {
        const QString hand = m.captured(1).toDouble() < 0 ? "RH" : "LH";
        QVERIFY2(!found.contains(hand), qPrintable(hand + " drawn twice"));
        found[hand] = compassOfRotation(m.captured(2).toInt());
    }
    QCOMPARE(found, expected);
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
