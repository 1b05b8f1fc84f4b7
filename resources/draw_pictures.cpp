// Draws the program's own message icons, button glyphs and toolbar pictures.
// Run by hand after changing a drawing: build/resources/draw_pictures resources/pictures
// Olive (128, 128, 0) is the transparent colour; nothing is antialiased so that no pixel
// blends with it.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {

const QColor kOlive(128, 128, 0);
const QColor kRed(200, 30, 30), kGreen(20, 140, 40), kBlue(30, 80, 190), kYellow(250, 210, 40);
const QColor kDark(40, 40, 40), kWhite(255, 255, 255), kGrey(150, 150, 150);

void save(const QString& dir, const QString& name, int size,
          const std::function<void(QPainter&)>& draw) {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(kOlive);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    draw(p);
    p.end();
    image.save(dir + u'/' + name + QStringLiteral(".png"));
}

QFont bold(int pixels) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(pixels);
    f.setBold(true);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

void disc(QPainter& p, const QColor& fill, const QString& letter) {
    p.setPen(QPen(kDark, 1));
    p.setBrush(fill);
    p.drawEllipse(2, 2, 27, 27);
    p.setPen(kWhite);
    p.setFont(bold(20));
    p.drawText(QRect(2, 2, 28, 28), Qt::AlignCenter, letter);
}

void tick(QPainter& p, const QColor& c, int w) {
    p.setPen(QPen(c, w, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPolyline(QPolygon({QPoint(3, 9), QPoint(7, 13), QPoint(14, 4)}));
}

void cross(QPainter& p, const QColor& c, int w, int a, int b) {
    p.setPen(QPen(c, w, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(a, a, b, b);
    p.drawLine(a, b, b, a);
}

void sheet(QPainter& p, int x, int y, int w, int h) {
    p.setPen(kDark);
    p.setBrush(kWhite);
    p.drawRect(x, y, w, h);
    p.setPen(kGrey);
    for (int ly = y + 4; ly < y + h - 1; ly += 4)
        p.drawLine(x + 3, ly, x + w - 3, ly);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(dir);

    // Message icons, 32 x 32.
    save(dir, QStringLiteral("ICOWARNING"), 32, [](QPainter& p) {
        p.setPen(QPen(kDark, 1));
        p.setBrush(kYellow);
        p.drawPolygon(QPolygon({QPoint(16, 2), QPoint(30, 28), QPoint(2, 28)}));
        p.setPen(kDark);
        p.setFont(bold(18));
        p.drawText(QRect(2, 8, 28, 20), Qt::AlignCenter, QStringLiteral("!"));
    });
    save(dir, QStringLiteral("ICOERROR"), 32, [](QPainter& p) {
        p.setPen(QPen(kDark, 1));
        p.setBrush(kRed);
        p.drawEllipse(2, 2, 27, 27);
        cross(p, kWhite, 3, 10, 21);
    });
    save(dir, QStringLiteral("ICOINFORMATION"), 32,
         [](QPainter& p) { disc(p, kBlue, QStringLiteral("i")); });
    save(dir, QStringLiteral("ICOCONFIRMATION"), 32,
         [](QPainter& p) { disc(p, kGreen, QStringLiteral("?")); });

    // Button glyphs, 18 x 18.
    save(dir, QStringLiteral("GLOK"), 18, [](QPainter& p) { tick(p, kGreen, 2); });
    save(dir, QStringLiteral("GLYES"), 18, [](QPainter& p) { tick(p, kGreen, 3); });
    save(dir, QStringLiteral("GLCANCEL"), 18, [](QPainter& p) { cross(p, kRed, 2, 4, 13); });
    save(dir, QStringLiteral("GLNO"), 18, [](QPainter& p) {
        p.setPen(QPen(kRed, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(3, 3, 11, 11);
        p.drawLine(5, 13, 13, 5);
    });
    save(dir, QStringLiteral("GLHELP"), 18, [](QPainter& p) {
        p.setPen(kBlue);
        p.setFont(bold(15));
        p.drawText(QRect(0, 0, 18, 18), Qt::AlignCenter, QStringLiteral("?"));
    });
    save(dir, QStringLiteral("GLCLOSE"), 18, [](QPainter& p) {
        p.setPen(kDark);
        p.setBrush(QColor(160, 100, 40));
        p.drawRect(4, 2, 9, 14);
        p.setBrush(kYellow);
        p.drawRect(10, 9, 1, 1);
    });
    save(dir, QStringLiteral("GLABORT"), 18, [](QPainter& p) {
        p.setPen(kDark);
        p.setBrush(kRed);
        p.drawPolygon(QPolygon({QPoint(6, 1), QPoint(11, 1), QPoint(16, 6), QPoint(16, 11),
                                QPoint(11, 16), QPoint(6, 16), QPoint(1, 11), QPoint(1, 6)}));
        p.setPen(QPen(kWhite, 2));
        p.drawLine(5, 8, 12, 8);
    });
    save(dir, QStringLiteral("GLRETRY"), 18, [](QPainter& p) {
        p.setPen(QPen(kGreen, 2));
        p.drawArc(3, 3, 12, 12, 90 * 16, 270 * 16);
        p.setBrush(kGreen);
        p.drawPolygon(QPolygon({QPoint(9, 0), QPoint(13, 3), QPoint(9, 6)}));
    });
    save(dir, QStringLiteral("GLIGNORE"), 18, [](QPainter& p) {
        p.setPen(QPen(kGrey, 2));
        p.drawLine(3, 9, 14, 9);
        p.drawLine(11, 6, 14, 9);
        p.drawLine(11, 12, 14, 9);
    });
    save(dir, QStringLiteral("GLALL"), 18, [](QPainter& p) {
        p.setPen(QPen(kGreen, 2));
        p.drawPolyline(QPolygon({QPoint(1, 9), QPoint(4, 12), QPoint(9, 5)}));
        p.drawPolyline(QPolygon({QPoint(7, 11), QPoint(9, 13), QPoint(16, 4)}));
    });
    save(dir, QStringLiteral("GLNONE"), 18, [](QPainter&) {});

    // Toolbar pictures, 32 x 32, numbered as the toolbar uses them.
    save(dir, QStringLiteral("TB0_BEENDEN"), 32, [](QPainter& p) { // save and leave
        p.setPen(kDark);
        p.setBrush(kBlue);
        p.drawRect(4, 4, 20, 22);
        p.setBrush(kWhite);
        p.drawRect(8, 4, 12, 8);
        p.setBrush(kGrey);
        p.drawRect(8, 17, 12, 9);
        p.setPen(QPen(kGreen, 3));
        p.drawLine(20, 22, 28, 22);
        p.drawLine(25, 18, 29, 22);
        p.drawLine(25, 26, 29, 22);
    });
    save(dir, QStringLiteral("TB1_ABBRUCH"), 32, [](QPainter& p) {
        p.setPen(kDark);
        p.setBrush(kRed);
        p.drawEllipse(3, 3, 25, 25);
        cross(p, kWhite, 3, 10, 21);
    });
    save(dir, QStringLiteral("TB2_EINFUEGEN"), 32, [](QPainter& p) {
        sheet(p, 3, 3, 20, 25);
        p.setPen(QPen(kGreen, 4));
        p.drawLine(23, 15, 23, 29);
        p.drawLine(16, 22, 30, 22);
    });
    save(dir, QStringLiteral("TB3_LOESCHEN"), 32, [](QPainter& p) {
        sheet(p, 3, 3, 20, 25);
        p.setPen(QPen(kRed, 4));
        p.drawLine(16, 22, 30, 22);
    });
    save(dir, QStringLiteral("TB4_ERWEITERN"), 32, [](QPainter& p) { // people join the list
        p.setPen(kDark);
        p.setBrush(kYellow);
        p.drawEllipse(4, 4, 8, 8);
        p.drawEllipse(14, 4, 8, 8);
        p.setBrush(kBlue);
        p.drawRect(3, 13, 10, 12);
        p.drawRect(13, 13, 10, 12);
        p.setPen(QPen(kGreen, 4));
        p.drawLine(25, 17, 25, 29);
        p.drawLine(19, 23, 31, 23);
    });
    save(dir, QStringLiteral("TB5_DUPLIKATE"), 32, [](QPainter& p) {
        sheet(p, 3, 3, 16, 20);
        sheet(p, 10, 9, 16, 20);
        cross(p, kRed, 3, 19, 28);
    });
    // Letters and digits stand on a white card, so that they read on light and dark toolbars.
    save(dir, QStringLiteral("TB6_SORTIEREN"), 32, [](QPainter& p) {
        p.setPen(kDark);
        p.setBrush(kWhite);
        p.drawRect(1, 0, 17, 31);
        p.setFont(bold(13));
        p.drawText(QRect(2, 1, 16, 15), Qt::AlignCenter, QStringLiteral("A"));
        p.drawText(QRect(2, 16, 16, 15), Qt::AlignCenter, QStringLiteral("Z"));
        p.setPen(QPen(kBlue, 3));
        p.drawLine(24, 3, 24, 27);
        p.setBrush(kBlue);
        p.drawPolygon(QPolygon({QPoint(19, 22), QPoint(29, 22), QPoint(24, 29)}));
    });
    save(dir, QStringLiteral("TB7_NUMMERIEREN"), 32, [](QPainter& p) {
        p.setPen(kDark);
        p.setBrush(kWhite);
        p.drawRect(0, 0, 31, 31);
        p.setPen(kBlue);
        p.setFont(bold(11));
        p.drawText(QRect(2, 1, 28, 10), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("1"));
        p.drawText(QRect(2, 11, 28, 10), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("2"));
        p.drawText(QRect(2, 21, 28, 10), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("3"));
        p.setPen(kGrey);
        for (int y : {6, 16, 26})
            p.drawLine(12, y, 29, y);
    });
    save(dir, QStringLiteral("TB8_DRUCKEN"), 32, [](QPainter& p) {
        p.setPen(kDark);
        p.setBrush(kWhite);
        p.drawRect(9, 2, 14, 10);
        p.setBrush(kGrey);
        p.drawRect(3, 12, 26, 11);
        p.setBrush(kWhite);
        p.drawRect(8, 19, 16, 10);
        p.setBrush(kGreen);
        p.drawRect(24, 15, 2, 2);
    });
    // The application icon, after packaging/gesamt.svg (drawn on a 256 grid).
    for (const int size : {48, 256}) {
        QImage icon(size, size, QImage::Format_ARGB32);
        icon.fill(Qt::transparent);
        QPainter p(&icon);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.scale(size / 256.0, size / 256.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1f, 0x6f, 0x3f));
        p.drawRoundedRect(QRectF(8, 8, 240, 240), 36, 36);
        p.setPen(QPen(QColor(0x12, 0x3d, 0x24), 6));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(56, 28, 144, 200), 10, 10);
        p.setPen(Qt::NoPen);
        const int widths[] = {76, 64, 72, 56};
        for (int i = 0; i < 4; ++i) {
            p.setBrush(QColor(0x1f, 0x6f, 0x3f));
            p.drawRect(QRectF(76, 58 + 36 * i, 18, 14));
            p.setBrush(QColor(0x6b, 0x7a, 0x70));
            p.drawRect(QRectF(104, 60 + 36 * i, widths[i], 10));
        }
        p.setBrush(QColor(0xc0, 0x39, 0x2b));
        p.translate(196, 176);
        p.rotate(-45);
        p.drawRoundedRect(QRectF(0, -12, 40, 24), 12, 12);
        p.end();
        icon.save(dir + QStringLiteral("/APP%1.png").arg(size));
    }
    return 0;
}
