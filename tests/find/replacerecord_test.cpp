// The record of a replace in the adventure's folder: every name stays a
// file inside it, every text comes back byte for byte.
#include "replacerecord.h"

#include "testutil.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace nimbra;

TEST(ReplaceRecord, HostilePageNamesStayFilesInsideTheRecord)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path() + u8("/adv/");
    QString why;
    const std::optional<ReplaceRecord> record = ReplaceRecord::create(folder, &why);
    ASSERT_TRUE(record) << why.toStdString();
    const QStringList names = u8Lines({"../../fora", "a/b", "..", ".", "%2e%2e", "nome com espaço", "ação", "x\\y",
                                       "desfeita", "p.antes", "~home"});
    for (const QString &name : names) {
        const QString text = u8("//mob txt ") + name + u8("\r\n  fim\r\n") + QChar(0x81);
        ASSERT_EQ(record->keepBefore(name, text), std::nullopt) << name.toStdString();
        ASSERT_EQ(record->keepAfter(name, text + u8("x")), std::nullopt) << name.toStdString();
    }
    QDirIterator files(dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    int count = 0;
    for (; files.hasNext(); ++count) {
        const QString path = files.next();
        EXPECT_EQ(QFileInfo(path).path() + u'/', record->folder()) << path.toStdString();
    }
    EXPECT_EQ(count, 2 * names.size());
    QStringList read;
    for (const ReplaceRecord::Page &page : record->pages()) {
        read.append(page.Name);
        EXPECT_EQ(page.Before, u8("//mob txt ") + page.Name + u8("\r\n  fim\r\n") + QChar(0x81));
        EXPECT_EQ(page.After, *page.Before + u8("x"));
    }
    QStringList sorted = names;
    sorted.sort();
    read.sort();
    EXPECT_EQ(read, sorted);
}

TEST(ReplaceRecord, TheNewestNotUndoneIsTheLast)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u8("/adv/");
    QString why;
    const QDateTime when = QDateTime::currentDateTime();
    EXPECT_FALSE(ReplaceRecord::last(folder));
    const auto first = ReplaceRecord::create(folder, &why, when);
    const auto second = ReplaceRecord::create(folder, &why, when);
    const auto unstored = ReplaceRecord::create(folder, &why, when.addSecs(1));
    ASSERT_TRUE(first && second && unstored);
    EXPECT_NE(first->folder(), second->folder()) << "two replaces in one millisecond keep both";
    ASSERT_EQ(first->keepAfter(u8("a"), u8("1")), std::nullopt);
    ASSERT_EQ(second->keepAfter(u8("a"), u8("2")), std::nullopt);
    ASSERT_EQ(unstored->keepBefore(u8("a"), u8("3")), std::nullopt);
    EXPECT_EQ(ReplaceRecord::last(folder)->folder(), second->folder()) << "a record without stored pages is none";
    unstored->discard();
    EXPECT_FALSE(QFileInfo::exists(unstored->folder()));
    ASSERT_EQ(second->markUndone(), std::nullopt);
    EXPECT_EQ(ReplaceRecord::last(folder)->folder(), first->folder());
}

TEST(ReplaceRecord, AFolderThatCannotBeWrittenIsSaid)
{
    QTemporaryDir dir;
    QString why;
    EXPECT_FALSE(ReplaceRecord::create(QString(), &why));
    EXPECT_EQ(why, u8("Não tem aventura em edição!!!"));
    const QString folder = dir.path() + u8("/adv/");
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile blocker(folder + u8("substituicoes"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(ReplaceRecord::create(folder, &why));
    EXPECT_EQ(why, u8("Não foi possível criar a pasta do registro da substituição!!!"));
    QFile::remove(folder + u8("substituicoes"));
    const auto record = ReplaceRecord::create(folder, &why);
    ASSERT_TRUE(record);
    const std::optional<QString> tooLong = record->keepBefore(QString(300, u'ç'), u8("x"));
    ASSERT_TRUE(tooLong);
    EXPECT_TRUE(tooLong->startsWith(u8("não foi possível gravar o registro da substituição: "))) << tooLong->toStdString();
}
