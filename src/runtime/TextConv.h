// Text conversions used for the debug log and the game's texts.
#pragma once
#include <string>

namespace qm {

std::string str(int v);
std::string str(long long v);
// Float to text: six decimals, as "0.500000".
std::string floatText(float v);
int toInt(const std::string& text);
float toFloat(const std::string& text);
std::string chr(int code);
std::string lowerCase(const std::string& text);  // A..Z only
std::string mid(const std::string& text, int start1, int length);
int instr(const std::string& text, const std::string& what);  // 1-based, 0 when absent

}  // namespace qm
