// A std::ostream sink that writes straight into a Qt device (for example a
// QSaveFile), so a download can be streamed to disk as it arrives.
#pragma once

#include <QIODevice>

#include <streambuf>

class TDeviceStreamBuf : public std::streambuf {
public:
    explicit TDeviceStreamBuf(QIODevice& device) : device_(device) {}

protected:
    std::streamsize xsputn(const char* data, std::streamsize count) override
    {
        // A short write reports failure, which sets the stream's badbit.
        return device_.write(data, count) == count ? count : 0;
    }
    int_type overflow(int_type ch) override
    {
        if (traits_type::eq_int_type(ch, traits_type::eof()))
            return traits_type::not_eof(ch);
        const char byte = traits_type::to_char_type(ch);
        return device_.write(&byte, 1) == 1 ? ch : traits_type::eof();
    }

private:
    QIODevice& device_;
};
