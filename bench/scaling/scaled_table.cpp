// SPDX-License-Identifier: MIT
// Writes the demo instrument's command table as a hand-written C table source, with SIBLINGS
// further commands added after every command: each sibling has the same nodes and parameters
// and a new last keyword, the way a real instrument's table grows. The new keywords match none
// of the sample lines, so every sample command is recognised as before.
//
//   scaled_table SIBLINGS OUTPUT.c
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <orvane-scpi/scpi_table.h>

namespace {

// New keywords: "BYBWix", "CYBWix", ... so that neighbours differ in their first letter, as
// unrelated keywords do.
std::string SiblingKeyword(unsigned uNumber) {
  static const char CONSONANTS[] = "BCDFGHJKLMNPQRSTVWXZ";
  const unsigned uCount = sizeof CONSONANTS - 1;
  std::string s;
  s += CONSONANTS[uNumber % uCount];
  s += 'Y';
  s += CONSONANTS[(uNumber / uCount) % uCount];
  s += "Wix";
  return s;
}

// The header specification with its last keyword outside optional nodes replaced.
std::string Sibling(const std::string& sSpec, unsigned uNumber) {
  size_t uStart = std::string::npos, uEnd = 0;
  bool bInNode = false;
  for (size_t i = 0; i < sSpec.size(); ++i) {
    const char c = sSpec[i];
    if (c == '[') bInNode = true;
    if (c == ']') bInNode = false;
    const bool bLetter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (!bInNode && bLetter) {
      if (i == 0 || !((sSpec[i - 1] >= 'A' && sSpec[i - 1] <= 'Z') ||
                      (sSpec[i - 1] >= 'a' && sSpec[i - 1] <= 'z'))) {
        uStart = i;
      }
      uEnd = i + 1;
    }
  }
  if (uStart == std::string::npos) return sSpec + SiblingKeyword(uNumber);
  return sSpec.substr(0, uStart) + SiblingKeyword(uNumber) + sSpec.substr(uEnd);
}

std::string Quoted(const char* p) {
  std::string s = "\"";
  for (; *p != '\0'; ++p) {
    if (*p == '"' || *p == '\\') s += '\\';
    s += *p;
  }
  return s + "\"";
}

// Emits every attribute record once, before its first use, and names it.
class Attributes {
 public:
  explicit Attributes(FILE* pOut) : pOut(pOut) {}

  std::string Name(EPType eType, const void* pAttr) {
    if (pAttr == nullptr) return "NULL";
    const auto it = mNames.find(pAttr);
    if (it != mNames.end()) return it->second;
    // A choice's alternative attribute comes first.
    const std::string sAlt =
        eType == P_CH_DAT ? Name(static_cast<const SCharDataAttr*>(pAttr)->eAltPType,
                                 static_cast<const SCharDataAttr*>(pAttr)->pAltAttr)
                          : "NULL";
    const std::string sName = "Attr" + std::to_string(mNames.size());
    switch (eType) {
      case P_NUM: EmitNum(sName, static_cast<const SNumAttr*>(pAttr)); break;
      case P_BOOL: {
        const SBoolAttr* ps = static_cast<const SBoolAttr*>(pAttr);
        std::fprintf(pOut, "static const SBoolAttr %s = {%u};\n", sName.c_str(), ps->ucFlags);
        break;
      }
      case P_CH_DAT: {
        const SCharDataAttr* ps = static_cast<const SCharDataAttr*>(pAttr);
        std::fprintf(pOut, "static const SCharDataAttr %s = {%s, %u, %u, %s%s};\n",
                     sName.c_str(), Quoted(ps->pChoices).c_str(), ps->ucDefItem, ps->eAltPType,
                     sAlt == "NULL" ? "" : "&", sAlt.c_str());
        break;
      }
      case P_NUM_LIST:
      case P_CHAN_LIST: {
        const SListAttr* ps = static_cast<const SListAttr*>(pAttr);
        std::fprintf(pOut, "static const SListAttr %s = {%u, %u, %u, %ld, %ld};\n",
                     sName.c_str(), ps->ucFlags, ps->ucMinDims, ps->ucMaxDims,
                     static_cast<long>(ps->lMin), static_cast<long>(ps->lMax));
        break;
      }
      default:
        std::fprintf(stderr, "scaled_table: attribute of unknown type %u\n", eType);
        std::exit(1);
    }
    mNames[pAttr] = sName;
    return sName;
  }

 private:
  void EmitNum(const std::string& sName, const SNumAttr* ps) {
    std::string sAlt = "NULL";
    if (ps->peAltUnits != nullptr) {
      sAlt = sName + "AltUnits";
      std::fprintf(pOut, "static const EUnits %s[] = {", sAlt.c_str());
      for (const EUnits* pe = ps->peAltUnits;; ++pe) {
        std::fprintf(pOut, "%u%s", *pe, *pe == U_END ? "};\n" : ", ");
        if (*pe == U_END) break;
      }
    }
    std::fprintf(pOut, "static const SNumAttr %s = {%u, %s, %d};\n", sName.c_str(), ps->eUnits,
                 sAlt.c_str(), ps->cDefExp);
  }

  FILE* pOut;
  std::map<const void*, std::string> mNames;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: scaled_table SIBLINGS OUTPUT.c\n");
    return 2;
  }
  const unsigned uSiblings = static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10));
  FILE* pOut = std::fopen(argv[2], "w");
  if (pOut == nullptr) {
    std::perror(argv[2]);
    return 1;
  }
  unsigned uCount = 0;
  while (CmdSpecs[uCount][0] != '\0') ++uCount;

  std::fprintf(pOut, "/* The demo command table with %u sibling(s) after every command. */\n"
                     "#include <stddef.h>\n#include <orvane-scpi/scpi_table.h>\n\n", uSiblings);
  Attributes sAttributes(pOut);
  std::vector<std::string> vRows;
  std::vector<std::string> vSpecs;
  unsigned uSiblingNumber = 0;
  for (unsigned i = 0; i < uCount; ++i) {
    std::string sRow = "{";
    for (unsigned uSlot = 0; uSlot < MAX_PARAMS; ++uSlot) {
      const SParamSpec& s = ParamSpecs[i][uSlot];
      const std::string sAttr = sAttributes.Name(s.ePType, s.pAttr);
      sRow += (uSlot ? ", {" : "{") + std::to_string(s.ucFlags) + ", " + std::to_string(s.ePType) +
              ", " + (sAttr == "NULL" ? "" : "&") + sAttr + "}";
    }
    sRow += "}";
    vSpecs.push_back(CmdSpecs[i]);
    vRows.push_back(sRow);
    for (unsigned k = 0; k < uSiblings; ++k) {
      vSpecs.push_back(Sibling(CmdSpecs[i], uSiblingNumber++));
      vRows.push_back(sRow);
    }
  }

  std::fprintf(pOut, "\nconst char* const CmdSpecs[] = {\n");
  for (const std::string& s : vSpecs) std::fprintf(pOut, "    %s,\n", Quoted(s.c_str()).c_str());
  std::fprintf(pOut, "    \"\"};\n\nconst SParamSpec ParamSpecs[][MAX_PARAMS] = {\n");
  for (const std::string& s : vRows) std::fprintf(pOut, "    %s,\n", s.c_str());
  std::fprintf(pOut, "};\n\nconst SUnitSuffix UnitSuffixes[] = {\n");
  for (const SUnitSuffix* ps = UnitSuffixes;; ++ps) {
    std::fprintf(pOut, "    {%s, %u, %d},\n", Quoted(ps->pSuffix).c_str(), ps->eUnits, ps->cExp);
    if (ps->pSuffix[0] == '\0') break;
  }
  std::fprintf(pOut, "};\n\nSCPI_TABLE_RECORD_DEFINE(ScaledTable, CmdSpecs, ParamSpecs, UnitSuffixes);\n");
  return std::fclose(pOut) == 0 ? 0 : 1;
}
