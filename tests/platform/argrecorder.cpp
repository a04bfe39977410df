// Stand-in for programs started by the tests: writes its arguments, each followed by a NUL byte,
// to the file named by MENDRA_ARGS_RECORD (atomically, so a waiting test never reads half of it)
// and exits with the code in MENDRA_ARGS_EXIT.
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const char* record = std::getenv("MENDRA_ARGS_RECORD");
    if (record && *record) {
        const std::string partial = std::string(record) + ".part";
        FILE* out = std::fopen(partial.c_str(), "wb");
        if (!out)
            return 99;
        for (int i = 1; i < argc; ++i)
            std::fwrite(argv[i], 1, std::string(argv[i]).size() + 1, out);
        std::fclose(out);
        if (std::rename(partial.c_str(), record) != 0)
            return 98;
    }
    const char* code = std::getenv("MENDRA_ARGS_EXIT");
    return code ? std::atoi(code) : 0;
}
