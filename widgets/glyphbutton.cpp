#include "widgets/glyphbutton.h"

#include <QEvent>
#include <QFile>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QtEndian>

namespace {

const char* const kGlyphNames[] = {"GLOK",    "GLCANCEL", "GLHELP",   "GLYES", "GLNO",  "GLCLOSE",
                                   "GLABORT", "GLRETRY",  "GLIGNORE", "GLALL", "GLNONE"};

QString withoutAmpersands(QString s) {
    return s.remove(u'&');
}

} // namespace

TGlyphKind glyphForCaption(const QString& caption) {
    const QString c = withoutAmpersands(caption).toLower();
    struct Entry {
        const char16_t* word;
        TGlyphKind kind;
    };
    static const Entry table[] = {
        {u"ok", glOK},
        {u"abort", glAbort},
        {u"abbruch", glAbort},
        {u"all", glAll},
        {u"alles", glAll},
        {u"cancel", glCancel},
        {u"abbrechen", glCancel},
        {u"close", glClose},
        {u"schließen", glClose},
        {u"help", glHelp},
        {u"hilfe", glHelp},
        {u"ignore", glIgnore},
        {u"ignorieren", glIgnore},
        {u"no", glNo},
        {u"nein", glNo},
        {u"retry", glRetry},
        {u"wiederholen", glRetry},
        {u"yes", glYes},
        {u"ja", glYes},
    };
    for (const Entry& e : table) {
        if (c == QStringView(e.word))
            return e.kind;
    }
    return glNone;
}

QImage loadPixels(const QString& name) {
    QFile file(QStringLiteral(":/pictures/") + name + QStringLiteral(".argb"));
    if (!file.open(QIODevice::ReadOnly) || file.size() < 8)
        return {};
    const uchar* data = file.map(0, file.size());
    if (!data)
        return {};
    const int width = int(qFromLittleEndian<quint32>(data));
    const int height = int(qFromLittleEndian<quint32>(data + 4));
    if (width <= 0 || height <= 0 || file.size() != 8 + qint64(width) * height * 4)
        return {};
    return QImage(data + 8, width, height, width * 4, QImage::Format_ARGB32).copy();
}

QPixmap loadPicture(const QString& name) {
    QPixmap pixmap = QPixmap::fromImage(loadPixels(name));
    if (!pixmap.isNull())
        pixmap.setMask(pixmap.createMaskFromColor(QColor(128, 128, 0)));
    return pixmap;
}

TGlyphButton::TGlyphButton(QWidget* parent) : QPushButton(parent) {
    resize(75, 25);
    setAttribute(Qt::WA_Hover);
}

void TGlyphButton::setGlyphKind(TGlyphKind kind) {
    const QPixmap loaded = loadPicture(QString::fromLatin1(kGlyphNames[kind]));
    kind_ = kind;
    if (!loaded.isNull())
        glyph_ = loaded;
    update();
}

void TGlyphButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    const QColor textColor = pal.color(QPalette::WindowText);
    const QColor light = pal.color(QPalette::Light);
    const QColor shadow = pal.color(QPalette::Dark);
    QRect r = rect();
    p.fillRect(r, pal.button());

    const bool activeDefault = isDefault() || (autoDefault() && hasFocus());
    if (activeDefault || hasFocus()) {
        p.setPen(textColor);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
    auto frame = [&p](const QRect& f, const QColor& topLeft, const QColor& bottomRight) {
        p.setPen(topLeft);
        p.drawLine(f.topLeft(), f.topRight());
        p.drawLine(f.topLeft(), f.bottomLeft());
        p.setPen(bottomRight);
        p.drawLine(f.bottomLeft(), f.bottomRight());
        p.drawLine(f.topRight(), f.bottomRight());
    };
    int shift = 0;
    if (isDown()) {
        p.fillRect(r, pal.button());
        frame(r, shadow, light);
        shift = 1;
    } else if (hover_) {
        frame(r, light, textColor);
        frame(r.adjusted(0, 0, -1, -1), light, shadow);
    } else {
        frame(r, light, shadow);
    }
    if (activeDefault && hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = r.adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
    }

    const QString caption = text();
    const QFontMetrics fm(font());
    const int captionWidth = fm.horizontalAdvance(withoutAmpersands(caption));
    const QRect client = rect();
    QRect textRect = client;
    if (GlyphWidth() > 0) {
        const int left = (client.width() - captionWidth - glyph_.width() - 4) / 2;
        const int top = (client.height() - glyph_.height()) / 2;
        p.drawPixmap(left + shift, top + shift, glyph_);
        textRect = QRect(left + glyph_.width() + 4, 0, captionWidth + 1, client.height());
    }
    textRect.translate(shift, shift);
    const int flags = Qt::TextShowMnemonic | Qt::AlignVCenter |
                      (GlyphWidth() > 0 ? Qt::AlignLeft : Qt::AlignHCenter);
    if (isEnabled()) {
        p.setPen(pal.color(QPalette::ButtonText));
        p.drawText(textRect, flags, caption);
    } else {
        p.setPen(light);
        p.drawText(textRect.translated(1, 1), flags, caption);
        p.setPen(shadow);
        p.drawText(textRect, flags, caption);
    }
}

void TGlyphButton::enterEvent(QEnterEvent* event) {
    hover_ = true;
    update();
    QPushButton::enterEvent(event);
}

void TGlyphButton::leaveEvent(QEvent* event) {
    hover_ = false;
    update();
    QPushButton::leaveEvent(event);
}

void TGlyphButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::EnabledChange)
        update();
    QPushButton::changeEvent(event);
}
