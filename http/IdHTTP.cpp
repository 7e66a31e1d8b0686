#include "http/IdHTTP.h"

struct TIdHTTP::Impl {
    std::string responseText;
    int responseCode = -1;
};

TIdHTTP::TIdHTTP() : d(std::make_unique<Impl>()) {}
TIdHTTP::~TIdHTTP() = default;

std::string TIdHTTP::Get(const std::string&) { throw EIdException("not implemented"); }
void TIdHTTP::Get(const std::string&, std::ostream&) { throw EIdException("not implemented"); }
std::string TIdHTTP::Post(const std::string&, TIdMultiPartFormDataStream&) { throw EIdException("not implemented"); }
const std::string& TIdHTTP::ResponseText() const { return d->responseText; }
int TIdHTTP::ResponseCode() const { return d->responseCode; }
