#pragma once
// The shared look of every picture: the palette of the table (deep green felt,
// warm wood, gold), the CJK font and the drawing helpers all pictures use.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

namespace picgen {

namespace ink {
inline const QColor felt{0x1E, 0x5A, 0x32};
inline const QColor feltDark{0x0E, 0x36, 0x1D};
inline const QColor feltLight{0x2F, 0x7A, 0x47};
inline const QColor wood{0x7A, 0x45, 0x22};
inline const QColor woodDark{0x45, 0x24, 0x10};
inline const QColor woodLight{0xA8, 0x6B, 0x3A};
inline const QColor gold{0xD9, 0xAE, 0x4E};
inline const QColor goldLight{0xF6, 0xE0, 0x9A};
inline const QColor goldDark{0x8C, 0x63, 0x1C};
inline const QColor cream{0xFF, 0xF6, 0xDC};
inline const QColor paper{0xFB, 0xF8, 0xEF};
inline const QColor lacquer{0x9E, 0x1B, 0x1B};
inline const QColor lacquerDark{0x5E, 0x0C, 0x0C};
inline const QColor cardRed{0xCC, 0x12, 0x1E};
inline const QColor cardBlack{0x1C, 0x1C, 0x24};
inline const QColor panel{0xF4, 0xE6, 0xC4};
}  // namespace ink

// Loads the bundled CJK font once; throws when it cannot be found.
void loadFonts();
QFont cjk(double pixelSize, bool bold = false);
QFont latin(double pixelSize, bool bold = true);

QImage canvas(int width, int height, QColor fill = Qt::transparent);
void begin(QPainter& p, QImage& image);  // antialiased painter

// Text centred in a box, with an optional 1-pixel drop shadow.
void text(QPainter& p, const QRectF& box, const QString& s, const QFont& font, QColor color,
          QColor shadow = Qt::transparent, int flags = Qt::AlignCenter);
// Text with a coloured outline all round, for captions over busy backgrounds.
void outlinedText(QPainter& p, const QRectF& box, const QString& s, const QFont& font, QColor color,
                  QColor outline, double width = 2.0);
// The largest pixel size, up to maxPixels, at which s fits into width.
double fitPixelSize(const QString& s, double width, double maxPixels, bool bold = true);

// Surfaces.
void feltFill(QPainter& p, const QRectF& r, unsigned seed, double vignette = 0.55);
void woodFill(QPainter& p, const QRectF& r, unsigned seed, bool vertical = false,
              QColor base = ink::wood);
void goldRim(QPainter& p, const QRectF& r, double radius, double width = 1.5);
void bevel(QPainter& p, const QRectF& r, double radius, QColor light, QColor dark);
// Cream parchment panel with a wood-and-gold frame: the body of dialogs and panels.
void parchmentPanel(QPainter& p, const QRectF& r, unsigned seed, double radius = 8);
// Title band at the top of a dialog.
void titleBand(QPainter& p, const QRectF& r, const QString& title);
QColor mix(QColor a, QColor b, double t);

// A small deterministic random source, so every build draws the same pictures.
struct Random {
    explicit Random(unsigned seed) : state(seed * 2654435761u + 12345u) {}
    unsigned state;
    unsigned next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    double unit() { return (next() & 0xFFFFFF) / double(0x1000000); }
    double range(double a, double b) { return a + (b - a) * unit(); }
};

// Suits as paths in a unit box (0..1 both ways), scaled into r.
enum class Suit { kDiamonds, kClubs, kHearts, kSpades };
QPainterPath suitPath(Suit s, const QRectF& r);
QColor suitColor(Suit s);

}  // namespace picgen
