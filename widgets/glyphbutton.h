#pragma once
#include <QPixmap>
#include <QPushButton>

enum TGlyphKind {
    glOK,
    glCancel,
    glHelp,
    glYes,
    glNo,
    glClose,
    glAbort,
    glRetry,
    glIgnore,
    glAll,
    glNone
};

// The glyph a caption stands for: lower-cased, "&" removed, compared whole.
TGlyphKind glyphForCaption(const QString& caption);
// A picture of the program's resources with its olive background made transparent.
QPixmap loadPicture(const QString& name);
// The same picture's pixels as they are.
QImage loadPixels(const QString& name);

// A push button drawn by hand, with a small glyph beside its caption.
class TGlyphButton : public QPushButton {
    Q_OBJECT
public:
    explicit TGlyphButton(QWidget* parent = nullptr);

    TGlyphKind GlyphKind() const { return kind_; }
    void setGlyphKind(TGlyphKind kind);
    int GlyphWidth() const { return kind_ == glNone ? 0 : glyph_.width(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    TGlyphKind kind_ = glNone;
    QPixmap glyph_;
    bool hover_ = false;
};
