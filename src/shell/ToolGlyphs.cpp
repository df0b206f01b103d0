#include "shell/ToolGlyphs.h"

#include "platform/Canvas.h"
#include "platform/Fonts.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace {

// Glyphs are drawn on a 20-pixel grid and shown at this size.
constexpr int kGlyph = 20;
constexpr int kShown = 16;

QIcon paintGlyph(const std::function<void(QPainter&)>& Paint) {
    QPixmap pixmap(kShown, kShown);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(double(kShown) / kGlyph, double(kShown) / kGlyph);
    painter.setPen(QPen(Qt::black, 1.5));
    Paint(painter);
    painter.end();
    return QIcon(pixmap);
}

void paintPointer(QPainter& P) {
    const QPointF arrow[] = {{5, 2}, {5, 16}, {8.5, 12.5}, {11, 18}, {13, 17}, {10.5, 11.5}, {15, 11.5}};
    P.setBrush(Qt::white);
    P.drawPolygon(arrow, 7);
}

void paintFreeHand(QPainter& P) {
    QPainterPath path(QPointF(2, 14));
    path.cubicTo(5, 2, 9, 20, 12, 9);
    path.cubicTo(14, 3, 17, 8, 18, 5);
    P.drawPath(path);
}

void paintFloodFill(QPainter& P) {
    // A tipped bucket pouring a drop of paint.
    P.setBrush(QColor(0, 90, 200));
    const QPointF bucket[] = {{3, 8}, {10, 2}, {16, 9}, {9, 15}};
    P.drawPolygon(bucket, 4);
    P.drawEllipse(QPointF(16, 15), 2, 3);
}

void paintText(QPainter& P) {
    QFont font(QString::fromStdString(TFontRecord::DefaultFontName()));
    font.setPixelSize(16);
    font.setBold(true);
    P.setFont(font);
    P.drawText(QRect(0, 0, kGlyph, kGlyph), Qt::AlignCenter, QStringLiteral("A"));
}

} // namespace

QIcon LabelToolGlyph(TDrawingTool Tool) {
    return paintGlyph([Tool](QPainter& P) {
        switch (Tool) {
        case dtLine:
            P.drawLine(QPointF(3, 17), QPointF(17, 3));
            break;
        case dtRectangle:
            P.drawRect(QRectF(3, 5, 14, 10));
            break;
        case dtEllipse:
            P.drawEllipse(QRectF(2, 5, 16, 10));
            break;
        case dtRoundRect:
            P.drawRoundedRect(QRectF(3, 5, 14, 10), 4, 4);
            break;
        case dtFreeHand:
            paintFreeHand(P);
            break;
        case dtFloodFill:
            paintFloodFill(P);
            break;
        case dtText:
            paintText(P);
            break;
        default:
            paintPointer(P);
            break;
        }
    });
}

QIcon PenStyleGlyph(uint8_t PenStyle) {
    return paintGlyph([PenStyle](QPainter& P) {
        static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                              Qt::DashDotDotLine};
        if (PenStyle >= psClear) {
            // No line at all: a faint frame where the line would be.
            P.setPen(QPen(Qt::gray, 1, Qt::DotLine));
            P.drawRect(QRectF(2.5, 7.5, 15, 5));
            return;
        }
        P.setRenderHint(QPainter::Antialiasing, false);
        P.setPen(QPen(Qt::black, 2, styles[PenStyle], Qt::FlatCap));
        P.drawLine(1, 10, 19, 10);
    });
}

QIcon BrushStyleGlyph(uint8_t BrushStyle) {
    return paintGlyph([BrushStyle](QPainter& P) {
        static const Qt::BrushStyle styles[] = {Qt::SolidPattern, Qt::NoBrush,         Qt::HorPattern,
                                                Qt::VerPattern,   Qt::FDiagPattern,    Qt::BDiagPattern,
                                                Qt::CrossPattern, Qt::DiagCrossPattern};
        P.setRenderHint(QPainter::Antialiasing, false);
        P.setPen(QPen(Qt::black, 1));
        P.setBrush(QBrush(Qt::black, styles[BrushStyle <= bsDiagCross ? BrushStyle : uint8_t(bsClear)]));
        P.drawRect(2, 2, 15, 15);
    });
}

QIcon ColorButtonGlyph(bool Pen) {
    return paintGlyph([Pen](QPainter& P) {
        if (!Pen) {
            paintFloodFill(P);
            return;
        }
        // A pencil from the lower left to the upper right.
        P.setBrush(QColor(230, 180, 60));
        const QPointF pencil[] = {{3, 17}, {4, 13}, {14, 3}, {17, 6}, {7, 16}};
        P.drawPolygon(pencil, 5);
    });
}

QIcon FontStyleGlyph(uint8_t Style) {
    return paintGlyph([Style](QPainter& P) {
        QFont font(QStringLiteral("DejaVu Serif"));
        font.setPixelSize(16);
        font.setBold(Style == fsBold);
        font.setItalic(Style == fsItalic);
        font.setUnderline(Style == fsUnderline);
        P.setFont(font);
        const char* letter = Style == fsBold ? "B" : (Style == fsItalic ? "I" : "U");
        P.drawText(QRect(0, 0, kGlyph, kGlyph), Qt::AlignCenter, QLatin1String(letter));
    });
}
