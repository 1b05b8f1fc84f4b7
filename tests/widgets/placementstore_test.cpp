#include "platform/profile.h"
#include "tests/testsupport/tempenv.h"
#include "widgets/placementstore.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr const char* kFile = "Kelmar.ini";
constexpr const char* kSection = "Fenster - Gesamt";

TPlacementStore* storeFor(QWidget& form) {
    auto* store = new TPlacementStore(&form);
    store->setObjectName(QStringLiteral("stateGesamt"));
    store->setIniFileName(kFile);
    store->setSection(kSection);
    return store;
}

int key(const char* name) {
    return Profile::load(kFile).readInt(kSection, name, -999);
}

// Counts reads to see when a restore really happens.
class CountingStore : public TCustomPlacementStore {
public:
    using TCustomPlacementStore::TCustomPlacementStore;
    int reads = 0;

protected:
    void ReadPlacement(int& left, int& top, int&, int& height, int& width) override {
        ++reads;
        left = 40;
        top = 50;
        width = 300;
        height = 200;
    }
    void SavePlacement(int, int, int, int, int) override {}
};

} // namespace

TEST(PlacementStore, FirstStartUsesTheDesignAndCloseWritesAllKeys) {
    TempEnv env;
    writeBytes(env.configDir() + QStringLiteral("/KELMAR.INI"),
               "; Produkt\r\n[KELMAR]\r\nFont=Arial\r\n");
    QWidget form;
    // The design fits the test screen (800 x 600) and is kept exactly.
    form.setGeometry(100, 50, 527, 430);
    TPlacementStore* store = storeFor(form);
    store->Restore();
    EXPECT_TRUE(store->isRestorePending());
    form.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(form.geometry(), QRect(100, 50, 527, 430));
    store->Save();
    EXPECT_EQ(key("Left"), 100);
    EXPECT_EQ(key("Top"), 50);
    EXPECT_EQ(key("Width"), 527);
    EXPECT_EQ(key("Height"), 430);
    EXPECT_EQ(key("State"), 0);
    // The product's own section and comment are untouched.
    EXPECT_EQ(
        readBytes(env.configDir() + QStringLiteral("/KELMAR.INI"))
            .rfind("; Produkt\r\n[KELMAR]\r\nFont=Arial\r\n[Fenster - Gesamt]\r\nLeft=100", 0),
        0u);
}

TEST(PlacementStore, MovedAndResizedWindowComesBackThere) {
    TempEnv env;
    {
        QWidget form;
        TPlacementStore* store = storeFor(form);
        form.show();
        form.setGeometry(100, 120, 640, 480);
        store->Save();
    }
    QWidget form;
    form.setGeometry(373, 157, 527, 430);
    TPlacementStore* store = storeFor(form);
    store->Restore();
    form.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(form.geometry(), QRect(100, 120, 640, 480));
}

TEST(PlacementStore, MaximisedIsWrittenButIgnoredOnRestore) {
    TempEnv env;
    {
        QWidget form;
        TPlacementStore* store = storeFor(form);
        form.setGeometry(60, 70, 500, 400);
        form.show();
        form.showMaximized();
        QCoreApplication::processEvents();
        ASSERT_TRUE(form.isMaximized());
        store->Save();
    }
    EXPECT_EQ(key("State"), 2);
    EXPECT_EQ(key("Width"), 500);

    QWidget form;
    TPlacementStore* store = storeFor(form);
    store->IgnoreState = true;
    store->Restore();
    form.show();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_FALSE(form.isMaximized());
    EXPECT_EQ(form.geometry(), QRect(60, 70, 500, 400));

    QWidget maxForm;
    TPlacementStore* honoured = storeFor(maxForm);
    honoured->Restore();
    maxForm.show();
    QTRY_VERIFY(maxForm.isMaximized());
}

TEST(PlacementStore, PendingRestoreIsAppliedOnceOnFirstShow) {
    QWidget form;
    auto* store = new CountingStore(&form);
    store->Restore();
    store->Restore();
    EXPECT_EQ(store->reads, 0);
    form.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(store->reads, 1);
    form.hide();
    form.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(store->reads, 1);
    EXPECT_EQ(form.geometry(), QRect(40, 50, 300, 200));
}

TEST(PlacementStore, RectangleOnNoScreenComesOntoThePrimaryOne) {
    // Far off, and so far off that computing with it would overflow.
    const std::vector<std::vector<std::pair<std::string, std::string>>> stored = {
        {{"Left", "5000"}, {"Top", "4000"}, {"Width", "527"}, {"Height", "430"}},
        {{"Left", "2147483000"}, {"Top", "2147483000"}, {"Width", "1000"}, {"Height", "1000"}},
        {{"Left", "-2147483648"}, {"Top", "-2147483648"}, {"Width", "-1"}, {"Height", "-1"}},
    };
    for (const auto& keys : stored) {
        SCOPED_TRACE(keys[0].second);
        TempEnv env;
        Profile::writeStrings(kFile, kSection, keys);
        QWidget form;
        TPlacementStore* store = storeFor(form);
        store->Restore();
        form.show();
        QCoreApplication::processEvents();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_TRUE(screen.contains(form.geometry())) << form.geometry().x();
        if (keys[2].second == "527") {
            EXPECT_EQ(form.size(), QSize(527, 430));
        }
    }
}

TEST(PlacementStore, WindowsFitOneScreenWholeOrShrunk) {
    const QRect small(0, 0, 1024, 768);
    const QRect right(1024, 0, 1280, 1024);
    const QMargins none, frame(2, 24, 2, 2);
    struct Case {
        QRect stored;
        QMargins frame;
        QList<QRect> areas;
        QRect expected;
    } cases[] = {
        {{373, 157, 527, 430}, none, {small}, {373, 157, 527, 430}}, // fits: kept exactly
        {{700, 450, 527, 430}, none, {small}, {497, 338, 527, 430}}, // moved in
        {{700, 450, 527, 430}, frame, {small}, {495, 336, 527, 430}},
        {{373, 157, 60000, 60000}, none, {small}, {0, 0, 1024, 768}},       // shrunk
        {{373, 157, 527, 430}, none, {{0, 0, 512, 384}}, {0, 0, 512, 384}}, // scale factor 2
        {{-100, 5, 527, 430}, frame, {small}, {2, 24, 527, 430}},
        {{1500, 900, 527, 430}, none, {small, right}, {1500, 594, 527, 430}}, // second screen
        {{5000, 4000, 527, 430}, none, {small, right}, {248, 169, 527, 430}}, // none: primary
        // 1366 x 768 at scale factor 2 (683 x 384 points) with a frame: the title bar on it.
        {{373, 157, 527, 430}, frame, {{0, 0, 683, 384}}, {154, 24, 527, 358}},
        {{0, 0, 624, 412}, frame, {{0, 0, 683, 384}}, {2, 24, 624, 358}},  // the open dialog
        {{0, 0, 1054, 860}, frame, {{0, 0, 683, 384}}, {2, 24, 679, 358}}, // Fontsize 22
    };
    for (const Case& c : cases)
        EXPECT_EQ(fitOnScreen(c.stored, c.frame, c.areas), c.expected)
            << c.stored.x() << "," << c.stored.y() << " " << c.stored.width();
}

TEST(PlacementStore, OnGetIniDataRedirectsOneAccess) {
    TempEnv env;
    QWidget form;
    TPlacementStore* store = storeFor(form);
    store->OnGetIniData = [](TPlacementStore*, std::string&, std::string& section) {
        section = "Anderswo";
    };
    form.setGeometry(11, 12, 300, 200);
    form.show();
    store->Save();
    EXPECT_EQ(store->Section(), kSection);
    EXPECT_EQ(Profile::load(kFile).readInt("Anderswo", "Left", -1), 11);
    EXPECT_EQ(key("Left"), -999);
}

TEST(PlacementStore, OwnerMustBeAFormWithOneStore) {
    QWidget form;
    form.setObjectName(QStringLiteral("frmGesamtdatei"));
    QWidget child(&form);
    try {
        TPlacementStore s(&child);
        FAIL() << "no exception";
    } catch (const EPlacementStore& e) {
        EXPECT_STREQ(e.what(), "Window state components must be placed on a form");
    }
    storeFor(form);
    try {
        TPlacementStore s(&form);
        FAIL() << "no exception";
    } catch (const EPlacementStore& e) {
        EXPECT_STREQ(e.what(), "Only one window state component is permitted on a form: "
                               "stateGesamt is already present on frmGesamtdatei");
    }
}

TEST(PlacementStore, DefaultsFollowTheProgramAndTheForm) {
    QWidget form;
    form.setObjectName(QStringLiteral("frmTest"));
    TPlacementStore store(&form);
    EXPECT_EQ(store.Section(), "Window_frmTest");
    EXPECT_EQ(store.IniFileName(), "widgets_test.ini");
    store.setSection("X");
    store.setSection("");
    EXPECT_EQ(store.Section(), "Window_frmTest");
}
