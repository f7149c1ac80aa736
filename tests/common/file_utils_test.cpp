// file_utils_test.cpp — switches, directory trees and path texts.
#include "common/file_utils.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#ifndef Q_OS_WIN
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace qx {
namespace {

QString sep() {
    return QString(PathSeparator());
}

void touch(const QString& file, const QByteArray& content = "x") {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << file.toStdString();
    f.write(content);
}

TEST(HasSwitch, MatchesWholeArgumentsInAnyLetterCaseAfterTheProgramName) {
    const QStringList args{"/developer", "prog", "/Developer", "/NOPRESENTATIONx", "/nopresentation"};
    int index = 99;
    EXPECT_TRUE(HasSwitch(args, "/developer", &index));
    EXPECT_EQ(index, 2);  // argument 0 is the program itself and is never compared
    EXPECT_TRUE(HasSwitch(args, "/NoPresentation", &index));
    EXPECT_EQ(index, 4);
    EXPECT_FALSE(HasSwitch(args, "/nopres", &index));
    EXPECT_EQ(index, -1);
    EXPECT_FALSE(HasSwitch(QStringList{"/developer"}, "/developer"));
}

struct SplitCase {
    const char* file;
    bool path, name, ext;
    const char* expected;
};

class SplitFileNameCases : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitFileNameCases, GivesTheRequestedParts) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(SplitFileName(QString::fromUtf8(c.file), c.path, c.name, c.ext), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Parts, SplitFileNameCases,
    ::testing::Values(
        SplitCase{"C:\\A\\B.txt", true, true, true, "C:\\A\\B.txt"},
        SplitCase{"C:\\A\\B.txt", true, false, false, "C:\\A\\"}, SplitCase{"C:\\A\\B.txt", false, true, true, "B.txt"},
        SplitCase{"C:\\A\\B.txt", false, false, true, ".txt"}, SplitCase{"C:\\A\\B.txt", true, true, false, "C:\\A\\B"},
        SplitCase{"C:\\A\\B.txt", false, true, false, "B"}, SplitCase{"C:\\A\\B.txt", true, false, true, ""},
        SplitCase{"C:\\A\\B.txt", false, false, false, ""},
        SplitCase{"/srv/data.d/orders/Заказ 12.qfo370", false, true, false, "Заказ 12"},
        SplitCase{"/srv/data.d/orders/README", false, false, true, ""},
        SplitCase{"/srv/data.d/orders/README", true, true, false, "/srv/data.d/orders/README"},
        SplitCase{"a.b.c", false, false, true, ".c"}));

struct TrimCase {
    const char* in;
    const char* out;
};

class ExcludeTrailingSlashCases : public ::testing::TestWithParam<TrimCase> {};

TEST_P(ExcludeTrailingSlashCases, TrimsAndRemovesOneSeparator) {
    EXPECT_EQ(ExcludeTrailingSlash(QString::fromUtf8(GetParam().in)), QString::fromUtf8(GetParam().out));
}

INSTANTIATE_TEST_SUITE_P(Texts, ExcludeTrailingSlashCases,
                         ::testing::Values(TrimCase{"  /srv/cat/ \t", "/srv/cat"}, TrimCase{"/srv/cat//", "/srv/cat/"},
                                           TrimCase{"C:\\Cat\\\\", "C:\\Cat\\"},
                                           TrimCase{"\r\nC:\\Cat\\\r\n", "C:\\Cat"}, TrimCase{"/srv/cat", "/srv/cat"},
                                           TrimCase{"   ", ""}, TrimCase{"", ""}));

#ifndef Q_OS_WIN
struct RelativeCase {
    const char* base;
    const char* path;
    const char* relative;
    const char* absolute;  // MakeAbsolutePath(base, relative)
};

class RegistryPathCases : public ::testing::TestWithParam<RelativeCase> {};

TEST_P(RegistryPathCases, KeepTheFileNameCaseAndIgnoreCaseOnThePrefix) {
    const RelativeCase& c = GetParam();
    const QString relative = MakeRelativePath(QString::fromUtf8(c.base), QString::fromUtf8(c.path));
    EXPECT_EQ(relative, QString::fromUtf8(c.relative));
    EXPECT_EQ(MakeAbsolutePath(QString::fromUtf8(c.base), relative), QString::fromUtf8(c.absolute));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, RegistryPathCases,
    ::testing::Values(RelativeCase{"/srv/Data/Orders", "/srv/Data/Orders/Заказ 1.qfo370", "%Заказ 1.qfo370",
                                   "/srv/Data/Orders/Заказ 1.qfo370"},
                      RelativeCase{"/srv/Data/Orders", "/SRV/data/orders/Sub/A.qfo", "%Sub/A.qfo",
                                   "/srv/Data/Orders/Sub/A.qfo"},
                      RelativeCase{"/srv/Data/Orders/", "/srv/Data/Orders/A.qfo", "%A.qfo", "/srv/Data/Orders/A.qfo"},
                      // Not under the base, or the base is only a prefix of a folder name: kept as it is.
                      RelativeCase{"/srv/Data/Orders", "/srv/Data/Orders2/A.qfo", "/srv/Data/Orders2/A.qfo",
                                   "/srv/Data/Orders2/A.qfo"},
                      RelativeCase{"/srv/Data/Orders", "/srv/Data/Orders", "/srv/Data/Orders", "/srv/Data/Orders"},
                      RelativeCase{"", "/srv/A.qfo", "/srv/A.qfo", "/srv/A.qfo"},
                      // Registry rows written on Windows: "%" + an upper-cased rest with backslashes.
                      RelativeCase{"/srv/Data/Orders", "%SUB\\A.QFO", "%SUB\\A.QFO", "/srv/Data/Orders/SUB/A.QFO"}));
#endif

TEST(ResolveExistingPath, FindsUpperCasedRegistryNamesInTheirFolders) {
    QTemporaryDir tmp;
    ASSERT_TRUE(QDir(tmp.path()).mkpath("Orders/Sub"));
    touch(tmp.path() + "/Orders/Sub/Заказ a.qfo370");
    const QString base = QDir::toNativeSeparators(tmp.path() + "/Orders");
    const QString exact = base + sep() + "Sub" + sep() + "Заказ a.qfo370";

    EXPECT_EQ(ResolveExistingPath(exact), exact);
    EXPECT_EQ(ResolveExistingPath(MakeAbsolutePath(base, "%SUB\\ЗАКАЗ A.QFO370")), exact);
    EXPECT_EQ(ResolveExistingPath(MakeAbsolutePath(base, "%sub/заказ a.QFO370")), exact);
    const QString missing = MakeAbsolutePath(base, "%SUB\\B.QFO370");
    EXPECT_EQ(ResolveExistingPath(missing), missing);
}

TEST(MakeSafeFileName, ReplacesEveryUnsafeCharacter) {
    EXPECT_EQ(MakeSafeFileName(QString::fromUtf8("a\\b/c:d*e?f,g;h\"i`j!k(l)m{n}o[p]q<r>s|t%u'v w.x-Ё")),
              QString::fromUtf8("a_b_c_d_e_f_g_h_i_j_k_l_m_n_o_p_q_r_s_t_u_v w.x-Ё"));
}

TEST(DeleteDirTree, RemovesNestedContentIncludingReadOnlyAndHiddenEntries) {
    QTemporaryDir tmp;
    const QString root = tmp.path() + "/123456";
    ASSERT_TRUE(QDir().mkpath(root + "/a/b/.hidden"));
    touch(root + "/top.txt");
    touch(root + "/a/b/deep.bin");
    touch(root + "/a/b/.hidden/.dot");
    touch(root + "/a/readonly.txt");
    QFile::setPermissions(root + "/a/readonly.txt", QFile::ReadOwner);

    EXPECT_TRUE(DeleteDirTree(root));
    EXPECT_FALSE(QFileInfo::exists(root));
    EXPECT_TRUE(QFileInfo::exists(tmp.path()));
}

#ifndef Q_OS_WIN
TEST(DeleteDirTree, DeletesLinksWithoutFollowingThem) {
    QTemporaryDir tmp;
    const QString root = tmp.path() + "/run";
    const QString outside = tmp.path() + "/outside";
    ASSERT_TRUE(QDir().mkpath(root));
    ASSERT_TRUE(QDir().mkpath(outside));
    touch(outside + "/keep.txt");
    ASSERT_TRUE(QFile::link(outside, root + "/link"));

    EXPECT_TRUE(DeleteDirTree(root));
    EXPECT_FALSE(QFileInfo::exists(root));
    EXPECT_TRUE(QFileInfo::exists(outside + "/keep.txt"));
}

// Runs DeleteDirTree as an ordinary user (root may delete anything): in a child process that gives
// up root and hands the tree to "nobody" first.
bool deleteAsOrdinaryUser(const QString& top, const QString& root) {
    if (::geteuid() != 0) return DeleteDirTree(root);
    const uid_t nobody = 65534;
    for (const QString& path : {top, root, root + "/locked", root + "/locked/file.txt", root + "/other.txt"})
        if (::chown(QFile::encodeName(path).constData(), nobody, nobody) != 0)
            ADD_FAILURE() << "chown " << path.toStdString();
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(nobody) != 0 || ::setuid(nobody) != 0) ::_exit(3);
        ::_exit(DeleteDirTree(root) ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 3) << "could not give up root";
    return WEXITSTATUS(status) == 1;
}

TEST(DeleteDirTree, ReportsFailureWhenAnEntryCannotBeDeleted) {
    QTemporaryDir tmp;
    const QString root = tmp.path() + "/run";
    ASSERT_TRUE(QDir().mkpath(root + "/locked"));
    touch(root + "/locked/file.txt");
    touch(root + "/other.txt");
    QFile::setPermissions(root + "/locked", QFile::ReadOwner | QFile::ExeOwner);

    EXPECT_FALSE(deleteAsOrdinaryUser(tmp.path(), root));
    EXPECT_TRUE(QFileInfo::exists(root + "/locked/file.txt"));
    EXPECT_FALSE(QFileInfo::exists(root + "/other.txt"));  // the other entries are still deleted
    QFile::setPermissions(root + "/locked", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
#endif

TEST(DeleteDirTree, FailsForAMissingDirectory) {
    QTemporaryDir tmp;
    EXPECT_FALSE(DeleteDirTree(tmp.path() + "/nothing"));
}

TEST(ForceDirectories, CreatesMissingParents) {
    QTemporaryDir tmp;
    const QString dir = QDir::toNativeSeparators(tmp.path() + "/a/b/c");
    EXPECT_TRUE(ForceDirectories(dir));
    EXPECT_TRUE(QFileInfo(dir).isDir());
    EXPECT_TRUE(ForceDirectories(dir));
    EXPECT_FALSE(ForceDirectories(QString()));
}

}  // namespace
}  // namespace qx
