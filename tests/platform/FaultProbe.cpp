// Makes three calls of each wrapper of platform/SystemCalls.h in the folder
// argv[1] and prints, a line per wrapper, what each answered ("0" or the errno's
// name); the fault plan's tests run it with KX_FAULT set.

#include "OneSystemCall.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    for (const kx::test::Wrapper& wrapper : kx::test::kWrappers) {
        std::printf("%s", wrapper.name);
        for (int i = 1; i <= 3; ++i) {
            const kx::test::CallResult result = kx::test::MakeOneCall(wrapper, argv[1], i);
            std::printf(" %s", result.error == 0 ? "0" : ::strerrorname_np(result.error));
        }
        std::printf("\n");
    }
    return 0;
}
