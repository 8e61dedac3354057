// A file the windows write that cannot be put in place: the older file stays and the message
// names the file.
#include "app/window_test_main.h"
#include "app/window_test_support.h"
#include "store/files/file_access.h"
#include "test_support.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <memory>

using namespace tavrin;
using namespace tavrin::test;

namespace {

// The system's calls, but for a rename that fails: the last step of every safe write.
class FailingRename {
  public:
    FailingRename() {
        WriterCalls calls = SystemWriterCalls();
        calls.rename = [](const std::filesystem::path&, const std::filesystem::path&, std::error_code& ec) {
            ec = std::make_error_code(std::errc::io_error);
        };
        CurrentWriterCalls() = calls;
    }
    ~FailingRename() { CurrentWriterCalls() = SystemWriterCalls(); }
    FailingRename(const FailingRename&) = delete;
    FailingRename& operator=(const FailingRename&) = delete;
};

} // namespace

class SaveFaultsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void aFailedWriteKeepsTheOlderFileAndNamesIt_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("named"); // the collection's backup is put in place first
        QTest::newRow("collection") << QStringLiteral("SaveAs1") << QStringLiteral("FILMS.KXT")
                                    << QStringLiteral("FILMS.KXT.bak");
        QTest::newRow("title") << QStringLiteral("Export1") << QStringLiteral("ALIEN.KXM")
                               << QStringLiteral("ALIEN.KXM");
        QTest::newRow("name list") << QStringLiteral("Director1") << QStringLiteral("NAMES.KXD")
                                   << QStringLiteral("NAMES.KXD");
    }

    void aFailedWriteKeepsTheOlderFileAndNamesIt() {
        QFETCH(QString, command);
        QFETCH(QString, file);
        QFETCH(QString, named);
        auto [window, prompts] =
            MakeWindowWithTitles(dir_->filePath(QStringLiteral("settings.ini")), {"ALIEN"});
        const QString target = dir_->filePath(file);
        const auto older = Bytes("older file");
        WriteBytes(PathFromQString(target), older);
        prompts->saveAnswers = {target};
        {
            FailingRename failing;
            ActionOf(*window, command.toLatin1().constData())->trigger();
        }
        const FileFailure failure{FileError::CannotWrite, dir_->filePath(named).toStdString(),
                                  SystemReason(EIO)};
        QCOMPARE(prompts->messages, QStringList{WriteFailureText(window->Catalogue(), failure)});
        QCOMPARE(ReadBytes(PathFromQString(target)), older);
        QCOMPARE(QDir(dir_->path()).entryList({QStringLiteral("*.tmp")}, QDir::Files), QStringList{});
    }
};

TAVRIN_WINDOW_TEST(SaveFaultsTest, "save_faults_test");

#include "save_faults_test.moc"
