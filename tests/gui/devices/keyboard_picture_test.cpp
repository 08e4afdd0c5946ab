// The keyboard picture's table is generated; the generator and the committed table must agree.
#include "gui/devices/keyboard_picture_table.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

namespace v38 {
namespace {

TEST(KeyboardPicture, TheCommittedTableIsTheGeneratorsOutput) {
    const QString python = QStandardPaths::findExecutable("python3");
    if (python.isEmpty())
        GTEST_SKIP() << "python3 is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString out = dir.path() + "/table.h";
    QProcess generator;
    generator.start(python, {V38_SOURCE_DIR "/scripts/gen/keyboard_picture.py", out});
    ASSERT_TRUE(generator.waitForFinished(30000));
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
    QFile generated(out), committed(V38_SOURCE_DIR "/src/gui/devices/keyboard_picture_table.h");
    ASSERT_TRUE(generated.open(QIODevice::ReadOnly));
    ASSERT_TRUE(committed.open(QIODevice::ReadOnly));
    EXPECT_EQ(generated.readAll(), committed.readAll());
}

TEST(KeyboardPicture, KeysStayInsideThePictureAndDoNotOverlap) {
    std::set<int> positions;
    for (const KeyCap& a : kKeyboardPicture) {
        EXPECT_TRUE(positions.insert(a.position).second) << a.position;
        EXPECT_GE(a.x, 0);
        EXPECT_LE(a.x + a.width, kKeyboardPictureWidth) << a.position;
        EXPECT_LE(a.y + a.height, kKeyboardPictureHeight) << a.position;
        for (const KeyCap& b : kKeyboardPicture)
            if (&a != &b) {
                EXPECT_FALSE(a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
                             b.y < a.y + a.height)
                    << a.position << " overlaps " << b.position;
            }
    }
}

} // namespace
} // namespace v38
