#include "app/DisplayCheck.h"

#include <QByteArray>
#include <QMessageLogContext>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace {

struct THeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};

struct TCheckState {
    std::mutex lock;
    QtMessageHandler previous = nullptr;
    QByteArray noDisplayLine;
    std::vector<THeldMessage> held;
};

TCheckState& State()
{
    static TCheckState state;
    return state;
}

// Only the platform plugin's failure is fatal while the application object
// is made. The process is half-built then: it ends without running exit
// handlers, as Qt's own abort would.
void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    TCheckState& state = State();
    const std::lock_guard<std::mutex> held(state.lock);
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", state.noDisplayLine.constData());
        std::fflush(stderr);
        std::_Exit(TDisplayCheck::NoDisplayExitCode);
    }
    state.held.push_back({type, context.category ? context.category : "", text});
}

}  // namespace

TDisplayCheck::TDisplayCheck(QString noDisplayLine)
{
    TCheckState& state = State();
    {
        const std::lock_guard<std::mutex> held(state.lock);
        state.noDisplayLine = noDisplayLine.toLocal8Bit();
        state.held.clear();
    }
    state.previous = qInstallMessageHandler(HoldMessage);
}

TDisplayCheck::~TDisplayCheck() { Passed(); }

void TDisplayCheck::Passed()
{
    if (!std::exchange(active_, false))
        return;
    TCheckState& state = State();
    qInstallMessageHandler(state.previous);
    std::vector<THeldMessage> messages;
    {
        const std::lock_guard<std::mutex> held(state.lock);
        messages.swap(state.held);
    }
    for (const THeldMessage& message : messages) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.c_str());
        state.previous(message.type, context, message.text);
    }
}
