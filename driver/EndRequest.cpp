#include "driver/EndRequest.h"

TEndAnswer AnswerEndRequest(bool routerChanging, bool runInProgress)
{
    if (routerChanging)
        return TEndAnswer::Refuse;
    return runInProgress ? TEndAnswer::EndNow : TEndAnswer::Close;
}

bool CancelsLogout(bool routerChanging, const std::function<bool()>& askToInteract)
{
    return routerChanging && askToInteract();
}
