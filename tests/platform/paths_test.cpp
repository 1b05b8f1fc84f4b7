#include "platform/numparse.h"
#include "platform/paths.h"
#include "tests/testsupport/tempenv.h"

#include <gtest/gtest.h>

TEST(Paths, DriveCIsTheHomeFolder) {
    TempEnv env;
    EXPECT_EQ(paths::localPath("c:\\kelmar"), env.home() + QStringLiteral("/kelmar"));
    EXPECT_EQ(paths::localPath("C:\\kelmar\\laufkart\\"),
              env.home() + QStringLiteral("/kelmar/laufkart"));
    EXPECT_EQ(paths::localPath("c:\\"), env.home());
    EXPECT_EQ(paths::localPath("d:\\turniere"), QStringLiteral("/mnt/d/turniere"));
    EXPECT_EQ(paths::localPath("/tmp/x"), QStringLiteral("/tmp/x"));
}

TEST(Paths, NativeNamesKeepTheirBytesAndOnlyDrivesAreMapped) {
    TempEnv env;
    const std::string home = env.home().toStdString();
    EXPECT_EQ(paths::nativePath("/home/td/G\xC3\xA4ste/NAMEN.TIF"),
              "/home/td/G\xC3\xA4ste/NAMEN.TIF");
    EXPECT_EQ(paths::nativePath("M\xFCller.TIF"), "M\xFCller.TIF"); // Latin-1 bytes stay
    EXPECT_EQ(paths::nativePath("a\\b"), "a\\b");                   // a Linux name may hold one
    EXPECT_EQ(paths::nativePath("c:\\kelmar\\B\xC3\xA4ren\\"), home + "/kelmar/B\xC3\xA4ren");
    EXPECT_EQ(paths::nativePath("D:/turniere"), "/mnt/d/turniere");
}

TEST(Paths, WindowsDirectoryFollowsXdgConfigHome) {
    TempEnv env;
    EXPECT_EQ(paths::windowsDirectory(), env.home() + QStringLiteral("/.config/kelmar"));
    qputenv("XDG_CONFIG_HOME", "/srv/conf");
    EXPECT_EQ(paths::windowsDirectory(), QStringLiteral("/srv/conf/kelmar"));
    qputenv("XDG_CONFIG_HOME", "relative/ignored");
    EXPECT_EQ(paths::windowsDirectory(), env.home() + QStringLiteral("/.config/kelmar"));
}

TEST(NumParse, DecimalHexAndLimits) {
    EXPECT_EQ(parseInt32("42"), 42);
    EXPECT_EQ(parseInt32("-42"), -42);
    EXPECT_EQ(parseInt32("+7"), 7);
    EXPECT_EQ(parseInt32("$FF"), 255);
    EXPECT_EQ(parseInt32("0x15B3"), 5555);
    EXPECT_EQ(parseInt32("x10"), std::nullopt); // profile values: no bare "x"
    EXPECT_EQ(parseInt32("x10", HexPrefix::DollarXOr0x), 16);
    EXPECT_EQ(parseInt32("2147483647"), 2147483647);
    EXPECT_EQ(parseInt32("-2147483648"), INT32_MIN);
    EXPECT_EQ(parseInt32("2147483648"), std::nullopt);
    EXPECT_EQ(parseInt32("99999999999999999999999"), std::nullopt);
    EXPECT_EQ(parseInt32(""), std::nullopt);
    EXPECT_EQ(parseInt32("-"), std::nullopt);
    EXPECT_EQ(parseInt32("0x"), std::nullopt);
    EXPECT_EQ(parseInt32("12a"), std::nullopt);
    EXPECT_EQ(parseInt32(" 12"), std::nullopt);
}
