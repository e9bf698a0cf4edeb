#pragma once
#include <ostream>
#include <random>
#include <string>
#include <vector>

// Texts that must survive every place a comment lands.
extern const std::vector<std::string> kAwkwardTexts;

// Builds a random model through the command layer (so only models a user
// could enter) from a seed: the same seed gives the same model. Each class
// and member added is described on a line of description.
class TModelMaker {
public:
    TModelMaker(unsigned seed, std::ostream& description);

    int Pick(int low, int high);
    bool Chance(int percent);
    // A name of up to ten ASCII identifier characters after first.
    std::string Identifier(char first);
    // Up to four awkward texts in a row.
    std::string Comment();
    // One to five classes, each with a key and display member first, then
    // up to seven members of any type, references to the other classes
    // included; bytes (二进制) only when the target generates them.
    void Build(int projectId, bool bytes = true);

private:
    void AddMember(int projectId, int classId, const std::string& type, bool primary, bool display);

    std::mt19937 random_;
    std::ostream& out_;
};
