#include "tests/support/ModemSimulator.h"

#include <QList>
#include <QRegularExpression>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace brivello::test {

namespace {

constexpr char Escape = 0x1B;
constexpr char CtrlZ = 0x1A;

QByteArray info(const QByteArray &line)
{
    return "\r\n" + line + "\r\n";
}

const QByteArray Ok = "\r\nOK\r\n";

} // namespace

struct ModemSimulator::State
{
    Script script;
    int master = -1;
    int wake = -1;
    QString path;
    std::thread thread;

    mutable std::mutex mutex;
    QStringList commands;
    QStringList pdus;
    QList<int> lengths;
    int closings = 0;
    bool inUse = false;
    bool vanished = false;
    std::atomic<bool> vanishAsked{false};

    // Owned by the thread.
    QByteArray line;
    bool inPdu = false;
    bool echo = true;
    int cmee = 0;
    bool copsNames = false;
    bool pinGiven = false;
    int nextReference = 0;
    int pdusReceived = 0;
    bool silent = false;

    void run();
    void take(const QByteArray &bytes);
    void command(const QByteArray &text);
    void pdu(const QByteArray &hex);
    QByteArray answer(const QByteArray &upper, const QByteArray &text);
    QByteArray cmeError(int code) const
    {
        return cmee == 0 ? QByteArray("\r\nERROR\r\n") : info("+CME ERROR: " + QByteArray::number(code));
    }
    QByteArray cmsError(int code) const
    {
        return cmee == 0 ? QByteArray("\r\nERROR\r\n") : info("+CMS ERROR: " + QByteArray::number(code));
    }
    bool simLocked() const { return script.simMissing || script.puk || (!script.pin.isEmpty() && !pinGiven); }
    int simError() const { return script.simMissing ? 10 : script.puk ? 12 : 11; }
    void send(const QByteArray &bytes)
    {
        if (!silent && master >= 0 && !bytes.isEmpty())
            (void)!::write(master, bytes.constData(), static_cast<size_t>(bytes.size()));
    }
    void close()
    {
        std::lock_guard lock(mutex);
        if (master >= 0)
            ::close(master);
        master = -1;
        vanished = true;
    }
};

ModemSimulator::ModemSimulator(Script script) : m_state(std::make_unique<State>())
{
    State &s = *m_state;
    s.script = std::move(script);
    s.nextReference = s.script.firstReference;
    s.silent = s.script.silent;
    int slave = -1;
    char name[256] = {};
    if (openpty(&s.master, &slave, name, nullptr, nullptr) != 0)
        return;
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);
    // The simulator keeps no end of the line open itself, so it sees when
    // the program using the line closes it.
    ::close(slave);
    fcntl(s.master, F_SETFD, FD_CLOEXEC);
    s.path = QString::fromLocal8Bit(name);
    s.wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    s.thread = std::thread([&s] { s.run(); });
}

ModemSimulator::~ModemSimulator()
{
    State &s = *m_state;
    if (s.thread.joinable()) {
        const uint64_t one = 1;
        (void)!::write(s.wake, &one, sizeof one);
        s.thread.join();
    }
    if (s.master >= 0)
        ::close(s.master);
    if (s.wake >= 0)
        ::close(s.wake);
}

bool ModemSimulator::isOpen() const
{
    return m_state->thread.joinable();
}

QString ModemSimulator::devicePath() const
{
    return m_state->path;
}

QStringList ModemSimulator::commands() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->commands;
}

QStringList ModemSimulator::pdus() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->pdus;
}

QList<int> ModemSimulator::announcedLengths() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->lengths;
}

int ModemSimulator::closings() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->closings;
}

bool ModemSimulator::inUse() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->inUse;
}

void ModemSimulator::vanish()
{
    // The thread closes the line itself, between two reads: closing it here
    // could hand its number to another file while the thread still uses it.
    m_state->vanishAsked = true;
    for (int i = 0; i < 200; ++i) {
        {
            std::lock_guard lock(m_state->mutex);
            if (m_state->vanished || !m_state->thread.joinable())
                return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void ModemSimulator::State::run()
{
    char buffer[4096];
    for (;;) {
        if (vanishAsked.exchange(false))
            close();
        int fd = -1;
        {
            std::lock_guard lock(mutex);
            fd = master;
        }
        pollfd fds[2] = {{wake, POLLIN, 0}, {fd, POLLIN, 0}};
        // Without a program on the line the master reports a hang-up at
        // once; the short timeout keeps that from spinning.
        const int ready = poll(fds, fd >= 0 ? 2 : 1, 20);
        if (ready > 0 && (fds[0].revents & POLLIN))
            return;
        if (fd < 0)
            continue;
        if (fds[1].revents & POLLIN) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got > 0) {
                {
                    std::lock_guard lock(mutex);
                    inUse = true;
                }
                take(QByteArray(buffer, got));
                continue;
            }
        }
        if (fds[1].revents & POLLHUP) {
            {
                std::lock_guard lock(mutex);
                if (inUse)
                    ++closings;
                inUse = false;
            }
            // A new program on the line starts a new session.
            line.clear();
            inPdu = false;
            echo = true;
            cmee = 0;
            pollfd pause{wake, POLLIN, 0};
            if (poll(&pause, 1, 10) > 0)
                return;
        }
    }
}

void ModemSimulator::State::take(const QByteArray &bytes)
{
    for (const char c : bytes) {
        if (master < 0)
            return;
        if (inPdu) {
            if (c == CtrlZ) {
                inPdu = false;
                const QByteArray hex = line;
                line.clear();
                if (echo)
                    send(QByteArray(1, CtrlZ));
                pdu(hex);
            } else if (c == Escape) {
                inPdu = false;
                line.clear();
                send(Ok);
            } else {
                line.append(c);
                if (echo)
                    send(QByteArray(1, c));
            }
            continue;
        }
        if (c == Escape) {
            line.clear();
        } else if (c == '\r') {
            const QByteArray text = line;
            line.clear();
            if (!text.trimmed().isEmpty())
                command(text);
        } else if (c != '\n') {
            line.append(c);
        }
    }
}

void ModemSimulator::State::command(const QByteArray &text)
{
    {
        std::lock_guard lock(mutex);
        commands << QString::fromLatin1(text);
    }
    if (echo)
        send(text + '\r');
    const QByteArray upper = text.trimmed().toUpper();
    if (script.answer) {
        if (const std::optional<QByteArray> own = script.answer(text.trimmed())) {
            send(*own);
            return;
        }
    }
    send(answer(upper, text.trimmed()));
}

QByteArray ModemSimulator::State::answer(const QByteArray &upper, const QByteArray &text)
{
    if (upper == "AT" || upper == "ATZ" || upper == "AT&F" || upper == "AT+CFUN=1" || upper == "AT+CMGF=0" ||
        upper.startsWith("AT+CREG=") || upper.startsWith("AT+CGREG=") || upper.startsWith("AT+CSCS=\""))
        return Ok;
    if (upper == "ATE0" || upper == "ATE1") {
        echo = upper == "ATE1";
        return Ok;
    }
    if (upper.startsWith("AT+COPS=")) {
        copsNames = upper.endsWith(",0") || upper.endsWith(",1");
        return Ok;
    }
    if (upper.startsWith("AT+CMEE=")) {
        cmee = upper.mid(8).toInt();
        return Ok;
    }
    if (upper == "AT+CGMI" || upper == "AT+GMI")
        return info(script.manufacturer.toLatin1()) + Ok;
    if (upper == "AT+CGMM" || upper == "AT+GMM")
        return info(script.model.toLatin1()) + Ok;
    if (upper == "AT+CGMR" || upper == "AT+GMR")
        return info(script.revision.toLatin1()) + Ok;
    if (upper == "AT+CGSN" || upper == "AT+GSN")
        return info(script.imei.toLatin1()) + Ok;
    if (upper == "AT+CSCS?")
        return info("+CSCS: \"GSM\"") + Ok;
    if (upper == "AT+CSCS=?")
        return info("+CSCS: (\"GSM\",\"UCS2\",\"IRA\")") + Ok;
    if (upper == "AT+CMGF=?")
        return info("+CMGF: (0,1)") + Ok;
    if (upper == "AT+CFUN?")
        return info("+CFUN: 1") + Ok;
    if (upper == "AT+CSQ")
        return info("+CSQ: " + QByteArray::number(script.signal) + ",99") + Ok;
    if (upper == "AT+CPIN?") {
        if (script.simMissing)
            return cmeError(10);
        const QByteArray state = script.puk ? "SIM PUK" : simLocked() ? "SIM PIN" : "READY";
        return info("+CPIN: " + state) + Ok;
    }
    if (upper.startsWith("AT+CPIN=")) {
        static const QRegularExpression quoted(u"^AT\\+CPIN=\"([^\"]*)\"$"_s,
                                               QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch match = quoted.match(QString::fromLatin1(text));
        if (script.simMissing)
            return cmeError(10);
        if (!match.hasMatch() || script.puk || script.pin.isEmpty() || match.captured(1) != script.pin)
            return cmeError(16);
        pinGiven = true;
        return Ok;
    }
    if (upper == "AT+CREG?")
        return info("+CREG: 0," + QByteArray::number(script.registration)) + Ok;
    if (upper == "AT+CGATT?")
        return info(script.registration == 1 || script.registration == 5 ? "+CGATT: 1" : "+CGATT: 0") + Ok;
    if (upper == "AT+CGREG?")
        return info("+CGREG: 0," + QByteArray::number(script.registration)) + Ok;
    if (upper == "AT+COPS?")
        return script.registration == 1 || script.registration == 5
                   ? (copsNames ? info("+COPS: 0,0,\"" + script.networkName.toLatin1() + "\"")
                                : info("+COPS: 0,2,\"" + script.network.toLatin1() + "\"")) +
                         Ok
                   : info("+COPS: 0") + Ok;
    if (upper == "AT+CSCA?") {
        if (simLocked())
            return cmeError(simError());
        if (script.serviceCentre.isEmpty())
            return info("+CSCA: \"\",129") + Ok;
        return info("+CSCA: \"" + script.serviceCentre.toLatin1() + "\",145") + Ok;
    }
    if (upper.startsWith("AT+CMGS=")) {
        if (simLocked())
            return cmsError(script.simMissing ? 310 : script.puk ? 316 : 311);
        {
            std::lock_guard lock(mutex);
            lengths << upper.mid(8).toInt();
        }
        inPdu = true;
        return "\r\n> ";
    }
    return "\r\nERROR\r\n";
}

void ModemSimulator::State::pdu(const QByteArray &hex)
{
    int number = 0;
    {
        std::lock_guard lock(mutex);
        pdus << QString::fromLatin1(hex);
        number = ++pdusReceived;
    }
    if (script.vanishAfterPdus > 0 && number >= script.vanishAfterPdus) {
        close();
        return;
    }
    if (script.silentFromPdu > 0 && number >= script.silentFromPdu) {
        silent = true;
        return;
    }
    if (script.refuseWith > 0 && (script.refusePart == 0 || script.refusePart == number)) {
        send(cmsError(script.refuseWith));
        return;
    }
    send(info("+CMGS: " + QByteArray::number(nextReference++)) + Ok);
}

} // namespace brivello::test
