#include "privatepulse.h"

#include <QFile>
#include <QStandardPaths>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

bool PrivatePulse::available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty();
}

PrivatePulse::PrivatePulse()
{
    const QByteArray fifo = QFile::encodeName(dir_.filePath(QStringLiteral("sink.fifo")));
    if (::mkfifo(fifo.constData(), 0600) == 0)
        fifo_ = ::open(fifo.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    reader_ = std::thread([this] { drain(); });
    qputenv("PULSE_SERVER", "unix:" + QFile::encodeName(dir_.filePath(QStringLiteral("native"))));
}

PrivatePulse::~PrivatePulse()
{
    kill();
    stop_ = true;
    reader_.join();
    if (fifo_ >= 0)
        ::close(fifo_);
    qunsetenv("PULSE_SERVER");
}

bool PrivatePulse::start()
{
    const QString socket = dir_.filePath(QStringLiteral("native"));
    QFile::remove(socket);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), dir_.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir_.path());
    env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), dir_.path());
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    server_.setProcessEnvironment(env);
    server_.setProgram(QStringLiteral("pulseaudio"));
    // The pipe sink is loaded before the protocol, so the socket appears
    // only once there is something to play on. The server ends by itself
    // 20 s after its last client has gone, so a test that crashes does not
    // leave it behind.
    server_.setArguments({
        QStringLiteral("-n"),
        QStringLiteral("--daemonize=no"),
        QStringLiteral("--exit-idle-time=20"),
        QStringLiteral("--use-pid-file=no"),
        QStringLiteral("--system=no"),
        QStringLiteral("--log-target=stderr"),
        QStringLiteral("-L"),
        QStringLiteral("module-pipe-sink file=%1 format=s16le rate=%2 channels=1 use_system_clock_for_timing=yes")
            .arg(dir_.filePath(QStringLiteral("sink.fifo")))
            .arg(kRate),
        QStringLiteral("-L"),
        QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=%1").arg(socket),
    });
    server_.setStandardErrorFile(dir_.filePath(QStringLiteral("server.log")), QIODevice::Append);
    server_.start();
    if (!server_.waitForStarted(10000))
        return false;
    return waitUntil([&] { return QFile::exists(socket) || server_.state() == QProcess::NotRunning; }, 15)
           && server_.state() == QProcess::Running;
}

void PrivatePulse::kill()
{
    if (server_.state() == QProcess::NotRunning)
        return;
    server_.kill();
    server_.waitForFinished(10000);
}

void PrivatePulse::drain()
{
    std::vector<char> buffer(8192);
    char odd = 0;
    bool haveOdd = false;
    while (!stop_) {
        pollfd p{fifo_, POLLIN, 0};
        if (fifo_ < 0 || ::poll(&p, 1, 50) <= 0)
            continue;
        const ssize_t got = ::read(fifo_, buffer.data(), buffer.size());
        if (got <= 0)
            continue;
        std::lock_guard guard(lock_);
        for (ssize_t i = 0; i < got; ++i) {
            if (!haveOdd) {
                odd = buffer[i];
                haveOdd = true;
            } else {
                samples_.push_back(std::int16_t(quint16(uchar(odd)) | quint16(uchar(buffer[i])) << 8));
                haveOdd = false;
            }
        }
    }
}

std::size_t PrivatePulse::recorded() const
{
    std::lock_guard guard(lock_);
    return samples_.size();
}

std::vector<std::int16_t> PrivatePulse::samples(std::size_t from, std::size_t to) const
{
    std::lock_guard guard(lock_);
    to = std::min(to, samples_.size());
    from = std::min(from, to);
    return {samples_.begin() + long(from), samples_.begin() + long(to)};
}

bool PrivatePulse::waitForRecorded(std::size_t count, double seconds) const
{
    return waitUntil([&] { return recorded() >= count; }, seconds);
}

long PrivatePulse::waitForSound(std::size_t from, double seconds) const
{
    long found = -1;
    std::size_t looked = from;
    waitUntil(
        [&] {
            const std::vector<std::int16_t> s = samples(looked, SIZE_MAX);
            for (std::size_t i = 0; i < s.size(); ++i) {
                if (std::abs(s[i]) >= kLoud) {
                    found = long(looked + i);
                    return true;
                }
            }
            looked += s.size();
            return false;
        },
        seconds);
    return found;
}

std::size_t PrivatePulse::endOfSound(std::size_t from, std::size_t to) const
{
    const std::vector<std::int16_t> s = samples(from, to);
    std::size_t end = from;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (std::abs(s[i]) >= kLoud)
            end = from + i + 1;
    }
    return end;
}
