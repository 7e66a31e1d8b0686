// Writes the placeholder firmware image that the build embeds when no real
// image is configured: a fixed size and a fixed pseudo-random byte pattern,
// so every build of the same sources carries the same bytes. The pattern
// covers every byte value (NUL, CR, LF, quotes) so the image also exercises
// binary-safe handling wherever it travels.
#include <cstdint>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
        return 2;
    }
    constexpr std::size_t kImageSize = 1441792;  // 1.375 MiB, the shipped image size
    static const char kHeader[] = "NORVO WRX-270 PLACEHOLDER FIRMWARE IMAGE - NOT FOR ROUTERS\n";

    std::vector<unsigned char> image(kImageSize);
    std::size_t i = 0;
    for (; kHeader[i] != '\0'; ++i)
        image[i] = static_cast<unsigned char>(kHeader[i]);
    std::uint32_t state = 0x2545F491u;  // xorshift32, fixed seed
    for (; i < kImageSize; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        image[i] = static_cast<unsigned char>(state >> 24);
    }

    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    const bool written = std::fwrite(image.data(), 1, image.size(), out) == image.size();
    if (std::fclose(out) != 0 || !written) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
