#include "http/IdMultipartFormData.h"

TIdLocalTime IdNowLocal() { return TIdLocalTime{2000, 1, 1, 0, 0, 0, 0}; }

struct TIdMultiPartFormDataStream::Impl {
    std::string boundary;
};

TIdMultiPartFormDataStream::TIdMultiPartFormDataStream(const TIdLocalClock&) : d(std::make_unique<Impl>()) {}
TIdMultiPartFormDataStream::~TIdMultiPartFormDataStream() = default;
void TIdMultiPartFormDataStream::AddFile(const std::string&, const std::string&, const std::string&) {
    throw EIdException("not implemented");
}
const std::string& TIdMultiPartFormDataStream::Boundary() const { return d->boundary; }
std::string TIdMultiPartFormDataStream::RequestContentType() const { return "multipart/form-data; boundary=" + d->boundary; }
std::int64_t TIdMultiPartFormDataStream::Size() const { return 0; }
std::size_t TIdMultiPartFormDataStream::Read(char*, std::size_t) { return 0; }
std::int64_t TIdMultiPartFormDataStream::Seek(std::int64_t, TIdSeekOrigin) { return 0; }
std::size_t TIdMultiPartFormDataStream::Write(const char*, std::size_t) { throw EStreamError("Unsupported operation."); }
void TIdMultiPartFormDataStream::SetSize(std::int64_t) { throw EStreamError("Unsupported operation."); }
