// Turns the BITMAP statements of a resource script into a C++ source that
// registers their bytes with the Linux resource table at start-up.
//   embed_resources <script.rc> <output.cpp> <output.d>
// The .d file lists the bitmaps, so the build reruns when one of them changes.
#include "tools/embed_resources/bitmap_file.h"
#include "tools/embed_resources/rc_script.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string ResolvePath(const std::string& scriptFolder, std::string file) {
    for (char& c : file)
        if (c == '\\') c = '/';
    return file.empty() || file[0] == '/' ? file : scriptFolder + "/" + file;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>* bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

void WriteByteArray(std::ostream& out, const std::string& symbol, const std::vector<uint8_t>& bytes) {
    out << "const unsigned char " << symbol << "[] = {";
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i % 20 == 0) out << "\n   ";
        out << ' ' << static_cast<unsigned>(bytes[i]) << ',';
    }
    out << "\n};\n\n";
}

std::string DepfileEscape(const std::string& path) {
    std::string out;
    for (char c : path) {
        if (c == ' ') out += '\\';
        out += c;
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: embed_resources <script.rc> <output.cpp> <output.d>\n";
        return 2;
    }
    const std::string scriptPath = argv[1];
    std::ifstream script(scriptPath);
    if (!script) {
        std::cerr << scriptPath << ": cannot open\n";
        return 1;
    }
    std::vector<rc::BitmapStatement> statements;
    std::string error;
    if (!rc::ParseBitmapStatements(script, &statements, &error)) {
        std::cerr << scriptPath << ": " << error << '\n';
        return 1;
    }

    std::ostringstream source;
    source << "// Generated from " << scriptPath << " by embed_resources; do not edit.\n"
           << "#include \"platform/posix/kernel/kernel.h\"\n\nnamespace {\n\n";
    std::vector<std::string> dependencies;
    for (size_t i = 0; i < statements.size(); ++i) {
        const std::string path = ResolvePath(FolderOf(scriptPath), statements[i].file);
        std::vector<uint8_t> file, dib;
        if (!ReadWholeFile(path, &file)) {
            std::cerr << scriptPath << ":" << statements[i].lineNumber << ": cannot read " << path << '\n';
            return 1;
        }
        if (!rc::DibFromBmpFile(file, &dib, &error)) {
            std::cerr << path << ": " << error << '\n';
            return 1;
        }
        WriteByteArray(source, "kBitmap" + std::to_string(i), dib);
        dependencies.push_back(path);
    }
    if (!statements.empty()) {
        source << "const posix::kernel::EmbeddedResource kResources[] = {\n";
        for (size_t i = 0; i < statements.size(); ++i)
            source << "    {\"" << statements[i].name << "\", 2, kBitmap" << i << ", sizeof kBitmap" << i
                   << "},\n";
        source << "};\n\n"
               << "struct Registration {\n"
               << "    Registration() { posix::kernel::RegisterEmbeddedResources(kResources, " << statements.size()
               << "); }\n"
               << "} registration;\n\n";
    }
    source << "}  // namespace\n";

    std::ofstream output(argv[2], std::ios::binary);
    output << source.str();
    std::ofstream depfile(argv[3]);
    depfile << DepfileEscape(argv[2]) << ':';
    for (const std::string& path : dependencies) depfile << ' ' << DepfileEscape(path);
    depfile << '\n';
    if (!output || !depfile) {
        std::cerr << "cannot write " << argv[2] << " or " << argv[3] << '\n';
        std::remove(argv[2]);
        return 1;
    }
    return 0;
}
