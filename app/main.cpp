#include <cstdio>

int main()
{
    std::puts("Norvo Firmware Upgrade: the wizard window is not built yet.");
    return 0;
}
