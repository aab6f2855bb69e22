#include "IniSequence.h"

#include <fstream>
#include <sstream>

namespace vxbench {

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

IniSequence IniCallsOf(const CallLog& log) {
    IniSequence sequence;
    for (const Call& c : log.calls) {
        if (c.op != Op::kGetInt && c.op != Op::kWriteString) continue;
        IniCall i;
        i.write = c.op == Op::kWriteString;
        i.section = c.s1.text;
        i.key = c.s2.text;
        i.value = i.write ? c.s3.text : std::to_string(c.i1);
        i.file = FileNameOf(c.s4.text);
        sequence.push_back(i);
    }
    return sequence;
}

bool SaveIniSequence(const IniSequence& sequence, const std::string& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const IniCall& c : sequence) {
        out << (c.write ? 'W' : 'G') << '\t' << c.section << '\t' << c.key << '\t' << c.value
            << '\t' << c.file << '\n';
    }
    return static_cast<bool>(out);
}

bool LoadIniSequence(const std::string& path, IniSequence* sequence) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    sequence->clear();
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        std::vector<std::string> fields;
        std::istringstream split(line);
        std::string field;
        while (std::getline(split, field, '\t')) fields.push_back(field);
        if (fields.size() != 5 || (fields[0] != "G" && fields[0] != "W")) return false;
        sequence->push_back({fields[0] == "W", fields[1], fields[2], fields[3], fields[4]});
    }
    return true;
}

}  // namespace vxbench
