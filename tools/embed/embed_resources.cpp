// Build-time tool: turns the resource manifest into a C++ source that embeds every listed file
// (through the assembler's .incbin, so even the large skin costs no compile time) and defines the
// table of resources the programs install at start.
//
// Usage: halcyra_embed MANIFEST RESOURCE_DIR OUTPUT.cpp
// Manifest lines: TYPE ID FILE  # comment   (TYPE: BITMAP, ICON, STRING, DIALOG)
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Entry {
  unsigned type = 0;
  unsigned id = 0;
  std::string path;
};

const std::map<std::string, unsigned> kTypes = {
    {"BITMAP", 2}, {"DIALOG", 5}, {"STRING", 6}, {"ICON", 14}};

std::string AsmQuoted(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '"' || c == '\\') out += "\\\\\\";  // escaped once for C++, once for the assembler
    out += c;
  }
  return out;
}

bool Parse(const std::string& manifest, const std::filesystem::path& dir,
           std::vector<Entry>* entries) {
  std::ifstream in(manifest);
  if (!in) {
    std::cerr << manifest << ": cannot read\n";
    return false;
  }
  std::set<std::pair<unsigned, unsigned>> seen;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (auto hash = line.find('#'); hash != std::string::npos) line.resize(hash);
    std::istringstream fields(line);
    std::string type, id_text, file, extra;
    if (!(fields >> type)) continue;  // blank or comment only
    const auto t = kTypes.find(type);
    if (t == kTypes.end() || !(fields >> id_text >> file) || (fields >> extra)) {
      std::cerr << manifest << ":" << number << ": expected TYPE ID FILE\n";
      return false;
    }
    unsigned long id = 0;
    std::size_t used = 0;
    try {
      id = std::stoul(id_text, &used);
    } catch (...) {
      used = 0;
    }
    if (used != id_text.size() || id == 0 || id > 0xFFFF) {
      std::cerr << manifest << ":" << number << ": bad identifier '" << id_text << "'\n";
      return false;
    }
    if (!seen.insert({t->second, static_cast<unsigned>(id)}).second) {
      std::cerr << manifest << ":" << number << ": " << type << " " << id << " listed twice\n";
      return false;
    }
    const std::filesystem::path path = std::filesystem::absolute(dir / file);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
      std::cerr << manifest << ":" << number << ": no file " << path.string() << "\n";
      return false;
    }
    entries->push_back(Entry{t->second, static_cast<unsigned>(id), path.string()});
  }
  return true;
}

std::string Generate(const std::vector<Entry>& entries) {
  std::ostringstream out;
  out << "// Generated from the resource manifest by halcyra_embed. Do not edit.\n"
         "#include <cstdint>\n\n"
         "#include \"resource.h\"\n"
         "#include \"embedded_resources.h\"\n\n";
  out << "__asm__(\n  \".pushsection .rodata.halcyra_res,\\\"a\\\",@progbits\\n\"\n";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string sym = "halcyra_res_" + std::to_string(i);
    out << "  \".balign 16\\n\"\n"
        << "  \".globl " << sym << "\\n\"\n"
        << "  \".hidden " << sym << "\\n\"\n"
        << "  \"" << sym << ":\\n\"\n"
        << "  \".incbin \\\"" << AsmQuoted(entries[i].path) << "\\\"\\n\"\n"
        << "  \"" << sym << "_end:\\n\"\n"
        << "  \".byte 0\\n\"\n";  // a terminating zero after every resource, for text
  }
  out << "  \".balign 8\\n\"\n"
         "  \".globl halcyra_res_sizes\\n\"\n"
         "  \".hidden halcyra_res_sizes\\n\"\n"
         "  \"halcyra_res_sizes:\\n\"\n";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    out << "  \".quad halcyra_res_" << i << "_end - halcyra_res_" << i << "\\n\"\n";
  }
  out << "  \".quad 0\\n\"\n  \".popsection\\n\");\n\n";

  for (std::size_t i = 0; i < entries.size(); ++i) {
    out << "extern \"C\" const unsigned char halcyra_res_" << i << "[];\n";
  }
  out << "extern \"C\" const std::uint64_t halcyra_res_sizes[];\n\n"
         "namespace res {\n\n"
         "std::span<const gdi::ResourceEntry> EmbeddedResources() {\n"
         "  static const gdi::ResourceEntry kTable[] = {\n";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    out << "      {" << entries[i].type << ", " << entries[i].id << ", halcyra_res_" << i
        << ", static_cast<std::size_t>(halcyra_res_sizes[" << i << "])},\n";
  }
  if (entries.empty()) out << "      {0, 0, nullptr, 0},\n";
  out << "  };\n"
      << "  return std::span<const gdi::ResourceEntry>(kTable, " << entries.size() << ");\n"
      << "}\n\n"
         "void InstallEmbeddedResources() { gdi::SetResourceTable(EmbeddedResources()); }\n\n"
         "}  // namespace res\n";
  return out.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: halcyra_embed MANIFEST RESOURCE_DIR OUTPUT.cpp\n";
    return 2;
  }
  std::vector<Entry> entries;
  if (!Parse(argv[1], argv[2], &entries)) return 1;
  const std::string text = Generate(entries);
  // Written in full every time: the assembler reads the embedded files, so the source must be
  // recompiled whenever one of them changes even when this text does not.
  std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
  out << text;
  if (!out.flush()) {
    std::cerr << argv[3] << ": cannot write\n";
    return 1;
  }
  return 0;
}
