// The fewest moves with which the player solved each level, kept in
// "best<n>.dat" beside the profile: one little-endian 16-bit count per level,
// 0 for never solved.
#pragma once
#include <memory>
#include <string>

namespace qm {

class PersonalBest {
public:
    static constexpr int kLevels = 165;

    static std::shared_ptr<PersonalBest> create(int profileNumber);
    // 0 when the level was never solved (or lies outside the table).
    int best(int level) const;
    // Keeps the smaller count and writes the file; true when it improved.
    bool record(int level, int moves);
    std::string fileName() const;
    // 1 when the file exists but could not be read: it is never written over.
    int saveBlocked = 0;

private:
    int profileNumber = 0;
    int counts[kLevels] = {};
    void load();
    void save() const;
};

}  // namespace qm
