// The command line's password: a private file, a pipe, a terminal without
// echo.
#include "cli/inputs/PasswordSource.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

std::string Text(const QString& text) { return text.toStdString(); }

class PasswordFile : public ::testing::Test {
protected:
    QString Write(const QByteArray& bytes, mode_t mode = 0600, const QString& name = QStringLiteral("password"))
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        EXPECT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(PasswordFile, OnlyTheOwnerMayUseIt)
{
    struct TCase {
        mode_t Mode;
        bool Accepted;
    };
    for (const TCase c :
         {TCase{0600, true}, TCase{0400, true}, TCase{0700, true}, TCase{0640, false}, TCase{0604, false},
          TCase{0644, false}, TCase{0620, false}, TCase{0601, false}, TCase{0610, false}, TCase{0666, false}}) {
        const QString path = Write("secret\n", c.Mode);
        const TPasswordRead read = ReadPasswordFile(path);
        const std::string mode = QString::number(c.Mode, 8).toStdString();
        EXPECT_EQ(read.Password.has_value(), c.Accepted) << mode;
        if (c.Accepted) {
            EXPECT_EQ(read.Password.value_or(QString()), "secret") << mode;
            EXPECT_TRUE(read.Error.isEmpty()) << mode;
        } else {
            EXPECT_TRUE(read.Error.contains(QStringLiteral("\"%1\"").arg(path))) << Text(read.Error);
            EXPECT_TRUE(read.Error.contains(QStringLiteral("permissions 0") + QString::number(c.Mode, 8)))
                << Text(read.Error);
            EXPECT_TRUE(read.Error.contains(QStringLiteral("chmod 600"))) << Text(read.Error);
        }
    }
}

TEST_F(PasswordFile, RefusesWhatIsNoPrivateFileOfTheUser)
{
    const QString folder = dir.filePath(QStringLiteral("folder"));
    ASSERT_EQ(::mkdir(QFile::encodeName(folder).constData(), 0700), 0);
    const QString missing = dir.filePath(QStringLiteral("missing"));
    struct TCase {
        QString Path;
        QString Words;
    };
    for (const TCase& c :
         {TCase{folder, QStringLiteral("is a folder")}, TCase{missing, QStringLiteral("does not exist")},
          TCase{QStringLiteral("/dev/null"), QStringLiteral("not a regular file")}}) {
        const TPasswordRead read = ReadPasswordFile(c.Path);
        EXPECT_FALSE(read.Password.has_value()) << Text(c.Path);
        EXPECT_TRUE(read.Error.contains(QStringLiteral("\"%1\"").arg(c.Path))) << Text(read.Error);
        EXPECT_TRUE(read.Error.contains(c.Words)) << Text(read.Error);
    }
}

TEST_F(PasswordFile, RefusesAFileOfAnotherUser)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a file to another user needs root";
    const passwd* nobody = ::getpwnam("nobody");
    ASSERT_NE(nobody, nullptr);
    const QString path = Write("secret\n", 0600);
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), nobody->pw_uid, nobody->pw_gid), 0);

    const TPasswordRead read = ReadPasswordFile(path);
    EXPECT_FALSE(read.Password.has_value());
    EXPECT_TRUE(read.Error.contains(QStringLiteral("\"%1\" belongs to nobody").arg(path))) << Text(read.Error);
}

TEST_F(PasswordFile, RefusesAFileTheUserCannotRead)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    const QString path = Write("secret\n", 0200);
    const TPasswordRead read = ReadPasswordFile(path);
    EXPECT_FALSE(read.Password.has_value());
    EXPECT_TRUE(read.Error.contains(QStringLiteral("Cannot read the password file \"%1\"").arg(path)))
        << Text(read.Error);
}

// What the first line of a file or a pipe gives.
struct TLineCase {
    const char* Name;
    QByteArray Bytes;
    std::optional<QString> Password;
    const char* ErrorWords;  // when no password
};

const std::vector<TLineCase>& LineCases()
{
    static const std::vector<TLineCase> cases{
        {"newline", "secret\n", QStringLiteral("secret"), nullptr},
        {"crlf", "secret\r\n", QStringLiteral("secret"), nullptr},
        {"no line end", "secret", QStringLiteral("secret"), nullptr},
        {"first line only", "first\r\nsecond\n", QStringLiteral("first"), nullptr},
        {"empty line", "\n", QString(), nullptr},
        {"empty crlf line", "\r\n", QString(), nullptr},
        {"spaces kept for the driver", "  spaced  \n", QStringLiteral("  spaced  "), nullptr},
        {"carriage return inside", "a\rb\n", QStringLiteral("a\rb"), nullptr},
        {"utf-8", "p\xC3\xA4ss\xE2\x82\xAC\n", QStringLiteral("p\u00E4ss\u20AC"), nullptr},
        {"byte order mark", "\xEF\xBB\xBFsecret\n", QStringLiteral("secret"), nullptr},
        {"nothing", "", std::nullopt, "an empty password is an empty line"},
        {"not utf-8", "p\xC3(ss\n", std::nullopt, "not UTF-8"},
        {"cut utf-8", "pass\xC3", std::nullopt, "not UTF-8"},
        {"too long", QByteArray(5000, 'a') + "\n", std::nullopt, "longer than 4096 bytes"},
    };
    return cases;
}

void ExpectLine(const TLineCase& c, const TPasswordRead& read, const QString& source)
{
    EXPECT_EQ(read.Password, c.Password) << c.Name << ": " << Text(read.Error);
    if (c.Password) {
        EXPECT_TRUE(read.Error.isEmpty()) << c.Name;
    } else {
        EXPECT_TRUE(read.Error.contains(QString::fromUtf8(c.ErrorWords))) << c.Name << ": " << Text(read.Error);
        EXPECT_TRUE(read.Error.contains(source)) << c.Name << ": " << Text(read.Error);
    }
}

TEST_F(PasswordFile, TakesTheFirstLine)
{
    for (const TLineCase& c : LineCases()) {
        const QString path = Write(c.Bytes);
        ExpectLine(c, ReadPasswordFile(path), path);
    }
}

// A pipe whose write end has the given bytes and is closed.
class TPipe {
public:
    explicit TPipe(const QByteArray& bytes)
    {
        EXPECT_EQ(::pipe(FFds), 0);
        EXPECT_EQ(::write(FFds[1], bytes.constData(), bytes.size()), bytes.size());  // fits the pipe's buffer
        ::close(FFds[1]);
    }
    ~TPipe() { ::close(FFds[0]); }
    int ReadEnd() const { return FFds[0]; }
    QByteArray Rest() const
    {
        QByteArray rest;
        char buffer[256];
        for (ssize_t n; (n = ::read(FFds[0], buffer, sizeof buffer)) > 0;)
            rest.append(buffer, n);
        return rest;
    }

private:
    int FFds[2] = {-1, -1};
};

TEST(PasswordStream, TakesTheFirstLine)
{
    for (const TLineCase& c : LineCases()) {
        const TPipe pipe(c.Bytes);
        ExpectLine(c, ReadPasswordFromStream(pipe.ReadEnd(), QStringLiteral("standard input")),
                   QStringLiteral("standard input"));
    }
}

TEST(PasswordStream, LeavesWhatFollowsTheLine)
{
    const TPipe pipe("first\nsecond\n");
    EXPECT_EQ(ReadPasswordFromStream(pipe.ReadEnd(), QStringLiteral("standard input")).Password, "first");
    EXPECT_EQ(pipe.Rest(), "second\n");
}

// Standard input replaced by a pipe for the scope.
class TStandardInputFrom {
public:
    explicit TStandardInputFrom(const QByteArray& bytes) : FPipe(bytes), FSaved(::dup(STDIN_FILENO))
    {
        EXPECT_GE(::dup2(FPipe.ReadEnd(), STDIN_FILENO), 0);
    }
    ~TStandardInputFrom()
    {
        ::dup2(FSaved, STDIN_FILENO);
        ::close(FSaved);
    }

private:
    TPipe FPipe;
    int FSaved;
};

TEST_F(PasswordFile, StandardInputServesWhenNoFileIsGiven)
{
    const TStandardInputFrom input("piped\n");
    const TPasswordRead read = ReadPassword(QString());
    EXPECT_EQ(read.Password, "piped") << Text(read.Error);
}

TEST_F(PasswordFile, AGivenFileWinsOverStandardInput)
{
    const QString path = Write("from file\n");
    const TStandardInputFrom input("piped\n");
    EXPECT_EQ(ReadPassword(path).Password, "from file");

    const TPasswordRead refused = ReadPassword(dir.filePath(QStringLiteral("missing")));
    EXPECT_FALSE(refused.Password.has_value());  // no falling back to standard input
    EXPECT_TRUE(refused.Error.contains(QStringLiteral("does not exist"))) << Text(refused.Error);
}

// ---------------------------------------------------------------------------
// The prompt on a pseudo-terminal

class TPseudoTerminal {
public:
    TPseudoTerminal() { EXPECT_EQ(::openpty(&Master, &Slave, nullptr, nullptr, nullptr), 0); }
    ~TPseudoTerminal()
    {
        ::close(Master);
        ::close(Slave);
    }
    // What the terminal shows until it has shown needle; gives up after
    // five seconds of silence, which only a fault causes.
    QByteArray ReadUntil(const QByteArray& needle) { return Read(needle, 5000); }
    // What the terminal has shown so far, without waiting for more.
    QByteArray ReadShown() { return Read({}, 0); }
    QByteArray Read(const QByteArray& needle, int silenceMs)
    {
        while (needle.isEmpty() || !Shown.contains(needle)) {
            pollfd poll{Master, POLLIN, 0};
            if (::poll(&poll, 1, silenceMs) <= 0)
                break;
            char buffer[256];
            const ssize_t n = ::read(Master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            Shown.append(buffer, n);
        }
        return Shown;
    }
    void Type(const QByteArray& keys) { EXPECT_EQ(::write(Master, keys.constData(), keys.size()), keys.size()); }
    bool Echoes() const
    {
        termios settings{};
        EXPECT_EQ(::tcgetattr(Slave, &settings), 0);
        return (settings.c_lflag & ECHO) != 0;
    }

    int Master = -1;
    int Slave = -1;
    QByteArray Shown;
};

const QByteArray kPrompt = "Router admin password: ";

TEST(PasswordPrompt, ReadsWithoutEchoAndGivesTheEchoBack)
{
    TPseudoTerminal terminal;
    ASSERT_TRUE(terminal.Echoes());
    TPasswordRead read;
    std::thread prompt([&] { read = PromptPasswordOnTerminal(terminal.Slave, terminal.Slave, PasswordPromptText()); });
    terminal.ReadUntil(kPrompt);
    terminal.Type("s3cr\xC3\xA9t\n");
    prompt.join();

    EXPECT_EQ(read.Password, QStringLiteral("s3cr\u00E9t")) << Text(read.Error);
    EXPECT_EQ(terminal.ReadUntil(kPrompt + "\r\n"), kPrompt + "\r\n");  // the typed line never shown
    EXPECT_TRUE(terminal.Echoes());
}

TEST(PasswordPrompt, AnEmptyLineIsAnEmptyPasswordAndEndOfInputNone)
{
    struct TCase {
        QByteArray Keys;
        std::optional<QString> Password;
    };
    for (const TCase& c : {TCase{"\n", QString()}, TCase{"\x04", std::nullopt}}) {
        TPseudoTerminal terminal;
        TPasswordRead read;
        std::thread prompt([&] { read = PromptPasswordOnTerminal(terminal.Slave, terminal.Slave, kPrompt); });
        terminal.ReadUntil(kPrompt);
        terminal.Type(c.Keys);
        prompt.join();
        EXPECT_EQ(read.Password, c.Password) << Text(read.Error);
        EXPECT_EQ(read.Error.isEmpty(), c.Password.has_value()) << Text(read.Error);
        EXPECT_TRUE(terminal.Echoes());
    }
}

// A signal during the prompt, in a child process on the pseudo-terminal:
// the echo is back whether the signal ends the child or its own handler
// takes it.
TEST(PasswordPrompt, ASignalGivesTheEchoBack)
{
    struct TCase {
        const char* Name;
        bool OwnHandler;  // the program handles SIGTERM itself, as its signal guard does
    };
    for (const TCase c : {TCase{"default action", false}, TCase{"program's handler", true}}) {
        TPseudoTerminal terminal;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            static volatile sig_atomic_t handled = 0;
            if (c.OwnHandler) {
                struct sigaction action {};
                action.sa_handler = [](int) { handled = 1; };
                ::sigaction(SIGTERM, &action, nullptr);
            }
            const TPasswordRead read = PromptPasswordOnTerminal(terminal.Slave, terminal.Slave, kPrompt);
            const bool interrupted = !read.Password && read.Error.contains(QStringLiteral("interrupted"));
            ::_exit(handled && interrupted ? 7 : 1);
        }
        terminal.ReadUntil(kPrompt);
        ASSERT_FALSE(terminal.Echoes()) << c.Name;
        ::kill(child, SIGTERM);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        if (c.OwnHandler) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 7) << c.Name << " status " << status;
        } else {
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << c.Name << " status " << status;
        }
        EXPECT_TRUE(terminal.Echoes()) << c.Name;
    }
}

// Ctrl+Z during the prompt: the echo is back while the program is stopped,
// and when it continues the prompt asks again without echo.
TEST(PasswordPrompt, AStopShowsTheEchoUntilThePromptAsksAgain)
{
    TPseudoTerminal terminal;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A group of its own whose parent is in another group of the same
        // session is never orphaned: the kernel lets a stop signal stop it
        // however the tests were started (no terminal, in the background).
        ::setpgid(0, 0);
        const TPasswordRead read = PromptPasswordOnTerminal(terminal.Slave, terminal.Slave, kPrompt);
        ::_exit(read.Password == QStringLiteral("after") ? 0 : 1);
    }
    terminal.ReadUntil(kPrompt);
    ::kill(child, SIGTSTP);
    // Bounded: a child that does not stop fails the test instead of hanging it.
    int status = 0;
    pid_t waited = 0;
    for (int tries = 0; tries < 500 && waited == 0; ++tries) {
        waited = ::waitpid(child, &status, WUNTRACED | WNOHANG);
        if (waited == 0)
            ::usleep(10000);
    }
    if (waited != child) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        FAIL() << "the prompt did not stop on SIGTSTP";
    }
    ASSERT_TRUE(WIFSTOPPED(status)) << status;
    EXPECT_TRUE(terminal.Echoes());

    ::kill(child, SIGCONT);
    const QByteArray askedAgain = kPrompt + "\r\n" + kPrompt;
    EXPECT_TRUE(terminal.ReadUntil(askedAgain).contains(askedAgain)) << terminal.Shown.toStdString();
    EXPECT_FALSE(terminal.Echoes());
    terminal.Type("after\n");
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_FALSE(terminal.ReadShown().contains("after"));
    EXPECT_TRUE(terminal.Echoes());
}

}  // namespace
