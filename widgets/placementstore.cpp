#include "widgets/placementstore.h"

#include "platform/profile.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <algorithm>

namespace {

QList<QRect> availableAreas() {
    QList<QRect> areas;
    for (const QScreen* s : QGuiApplication::screens())
        areas.append(s->availableGeometry());
    return areas;
}

} // namespace

QRect fitOnScreen(QRect window, QMargins frame, const QList<QRect>& areas) {
    if (areas.isEmpty())
        return window;
    // The screen that shows most of the title strip; the first (primary) one when none does.
    const QRect strip(window.x() - frame.left(), window.y() - frame.top(),
                      window.width() + frame.left() + frame.right(),
                      frame.top() + std::min(window.height(), 30));
    QRect area = areas.first();
    bool onAny = false;
    int best = 0;
    for (const QRect& a : areas) {
        const QRect common = a.intersected(strip);
        const int shown = common.isValid() ? common.width() * common.height() : 0;
        if (shown > best) {
            best = shown;
            area = a;
            onAny = true;
        }
    }
    // The whole window with its frame must lie inside: a window without a close box must stay
    // reachable, and a huge stored size must not make a huge window.
    const QSize room(area.width() - frame.left() - frame.right(),
                     area.height() - frame.top() - frame.bottom());
    window.setSize(window.size().boundedTo(room).expandedTo(QSize(1, 1)));
    if (!onAny) {
        window.moveTopLeft(QPoint(area.x() + (area.width() - window.width()) / 2,
                                  area.y() + (area.height() - window.height()) / 2));
        return window;
    }
    const int right = area.right() - frame.right() - window.width() + 1;
    const int bottom = area.bottom() - frame.bottom() - window.height() + 1;
    window.moveLeft(std::max(area.left() + frame.left(), std::min(window.left(), right)));
    window.moveTop(std::max(area.top() + frame.top(), std::min(window.top(), bottom)));
    return window;
}

namespace {

void einpassen(QWidget* w) {
    QWindow* handle = w->windowHandle();
    if (!handle || !w->isVisible())
        return;
    const QRect jetzt = w->geometry();
    const QRect passend = fitOnScreen(jetzt, handle->frameMargins(), availableAreas());
    if (passend == jetzt)
        return;
    // A dialog's fixed size must not keep it larger than the screen.
    w->setMinimumSize(w->minimumSize().boundedTo(passend.size()));
    w->setGeometry(passend);
}

class FensterEinpassen : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* w = qobject_cast<QWidget*>(object);
        if (event->type() == QEvent::Show && w && w->isWindow() &&
            (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog)) {
            einpassen(w);
            // The frame is known only once the window manager has framed the window.
            QPointer<QWidget> fenster(w);
            for (const int ms : {50, 200, 600})
                QTimer::singleShot(ms, w, [fenster] {
                    if (fenster)
                        einpassen(fenster);
                });
        }
        return QObject::eventFilter(object, event);
    }
};

} // namespace

void FensterEinpassenEinrichten() {
    static FensterEinpassen* filter = new FensterEinpassen(qApp);
    qApp->installEventFilter(filter);
}

TPlacementStoreHook::TPlacementStoreHook(TCustomPlacementStore* store, QWidget* form)
    : QWidget(form), store_(store) {
    setObjectName(QStringLiteral("placementHook"));
    setGeometry(0, 0, 0, 0);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

TPlacementStoreHook::~TPlacementStoreHook() {
    if (store_)
        store_->hookDestroyed();
}

void TPlacementStoreHook::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (store_)
        store_->formShown();
}

void TPlacementStoreHook::applyState(int state) {
    QWidget* form = parentWidget();
    if (!form || !store_)
        return;
    switch (state) {
    case 0:
        form->showNormal();
        break;
    case 2:
        form->showMaximized();
        break;
    case 1:
        if (store_->MinimizeDelay > 0)
            QThread::msleep(unsigned(store_->MinimizeDelay));
        form->showMinimized();
        break;
    default:
        break;
    }
}

TCustomPlacementStore::TCustomPlacementStore(QWidget* form) : QObject(nullptr), form_(form) {
    if (!form || !form->isWindow())
        throw EPlacementStore("Window state components must be placed on a form");
    for (QObject* child : form->children()) {
        if (auto* other = qobject_cast<TCustomPlacementStore*>(child)) {
            throw EPlacementStore("Only one window state component is permitted on a form: " +
                                  other->objectName().toStdString() + " is already present on " +
                                  form->objectName().toStdString());
        }
    }
    setParent(form);
    hook_ = new TPlacementStoreHook(this, form);
}

TCustomPlacementStore::~TCustomPlacementStore() {
    if (hook_)
        hook_->detach();
}

void TCustomPlacementStore::Restore() {
    if (!shown_) {
        restorePending_ = true;
        return;
    }
    restorePending_ = false;
    const QRect current =
        form_->normalGeometry().isValid() ? form_->normalGeometry() : form_->geometry();
    int left = current.x(), top = current.y(), width = current.width(), height = current.height();
    int state = form_->isMaximized() ? 2 : (form_->isMinimized() ? 1 : 0);
    ReadPlacement(left, top, state, height, width);
    // Stored values far beyond any screen would overflow the rectangle's arithmetic.
    constexpr int kWeit = 1 << 20;
    left = std::clamp(left, -kWeit, kWeit);
    top = std::clamp(top, -kWeit, kWeit);
    width = std::clamp(width, 1, kWeit);
    height = std::clamp(height, 1, kWeit);
    const QMargins frame =
        form_->windowHandle() ? form_->windowHandle()->frameMargins() : QMargins();
    form_->setGeometry(fitOnScreen(QRect(left, top, width, height), frame, availableAreas()));
    QMetaObject::invokeMethod(hook_, "applyState", Qt::QueuedConnection,
                              Q_ARG(int, IgnoreState ? 0 : state));
}

void TCustomPlacementStore::Save() {
    const QRect normal =
        form_->normalGeometry().isValid() ? form_->normalGeometry() : form_->geometry();
    const int state = form_->isMinimized() ? 1 : (form_->isMaximized() ? 2 : 0);
    int left = normal.x(), top = normal.y();
    // A Wayland compositor places windows itself and tells no client where: the position the
    // window was given stays stored, for the next start on a platform that can place it.
    if (QGuiApplication::platformName().startsWith(QStringLiteral("wayland"))) {
        int storedState = state, height = normal.height(), width = normal.width();
        ReadPlacement(left, top, storedState, height, width);
    }
    SavePlacement(left, top, state, normal.height(), normal.width());
}

void TCustomPlacementStore::formShown() {
    if (shown_)
        return;
    shown_ = true;
    if (AutoSaveRestore || restorePending_)
        Restore();
}

void TCustomPlacementStore::hookDestroyed() {
    hook_ = nullptr;
    if (AutoSaveRestore)
        Save();
}

TPlacementStore::TPlacementStore(QWidget* form) : TCustomPlacementStore(form) {}

std::string TPlacementStore::IniFileName() const {
    if (!iniFileName_.empty())
        return iniFileName_;
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString() +
           ".ini";
}

std::string TPlacementStore::Section() const {
    if (!section_.empty())
        return section_;
    return "Window_" + form()->objectName().toStdString();
}

void TPlacementStore::iniData(std::string& fileName, std::string& section) {
    fileName = IniFileName();
    section = Section();
    if (OnGetIniData)
        OnGetIniData(this, fileName, section);
}

void TPlacementStore::ReadPlacement(int& left, int& top, int& state, int& height, int& width) {
    std::string file, section;
    iniData(file, section);
    const Profile ini = Profile::load(file);
    left = ini.readInt(section, "Left", left);
    top = ini.readInt(section, "Top", top);
    width = ini.readInt(section, "Width", width);
    height = ini.readInt(section, "Height", height);
    state = ini.readInt(section, "State", state);
}

void TPlacementStore::SavePlacement(int left, int top, int state, int height, int width) {
    std::string file, section;
    iniData(file, section);
    Profile::writeStrings(file, section,
                          {{"Left", std::to_string(left)},
                           {"Top", std::to_string(top)},
                           {"Width", std::to_string(width)},
                           {"Height", std::to_string(height)},
                           {"State", std::to_string(state)}});
}
