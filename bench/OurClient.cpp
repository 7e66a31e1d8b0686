#include "bench/OurClient.h"

#include "http/IdHTTP.h"
#include "http/IdMultipartFormData.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>

int RunOurClient(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    try {
        TIdHTTP http;
        http.ProtocolVersion = TIdHTTPProtocolVersion::pv1_0;
        if (std::strcmp(argv[0], "post") == 0) {
            TIdMultiPartFormDataStream body;
            body.AddFile("upfile", argv[2], "application/octet-stream");
            std::string answer = http.Post(argv[1], body);
            return answer.compare(0, 3, "OK ") == 0 ? 0 : 1;
        }
        if (std::strcmp(argv[0], "get") == 0) {
            // The peer is the benchmark's own server, not a router: the cap
            // that keeps a router from filling the disk would only cut the
            // large case short, so this request goes without it.
            TIdLimits limits = http.Limits;
            limits.MaxStreamBody = std::numeric_limits<std::int64_t>::max();
            std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
            http.Get(argv[1], out, limits);
            out.close();
            return out ? 0 : 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 2;
}
