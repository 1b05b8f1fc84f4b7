#include "widgets/placementstore.h"

#include "platform/profile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>

namespace {

// A rectangle whose title strip lies on no screen (a monitor was removed) goes onto the
// primary screen; a window without a close box must stay reachable.
QRect onScreen(QRect r) {
    const QRect titleStrip(r.x(), r.y(), r.width(), std::min(r.height(), 30));
    for (const QScreen* s : QGuiApplication::screens()) {
        if (s->availableGeometry().intersects(titleStrip))
            return r;
    }
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return r;
    const QRect a = primary->availableGeometry();
    r.setSize(r.size().boundedTo(a.size()));
    r.moveTopLeft(
        QPoint(a.x() + (a.width() - r.width()) / 2, a.y() + (a.height() - r.height()) / 2));
    return r;
}

} // namespace

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
    form_->setGeometry(onScreen(QRect(left, top, width, height)));
    QMetaObject::invokeMethod(hook_, "applyState", Qt::QueuedConnection,
                              Q_ARG(int, IgnoreState ? 0 : state));
}

void TCustomPlacementStore::Save() {
    const QRect normal =
        form_->normalGeometry().isValid() ? form_->normalGeometry() : form_->geometry();
    const int state = form_->isMinimized() ? 1 : (form_->isMaximized() ? 2 : 0);
    SavePlacement(normal.x(), normal.y(), state, normal.height(), normal.width());
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
