// The branching commands, for the command table.
#pragma once
#include <string>

class TMainForm;

// ".?": captions from the argument, labels from the three lines below.
void OfferChoice(TMainForm& f, const std::string& argument);
// ".f": sets or clears a story or global flag.
void SetFlag(TMainForm& f, const std::string& argument);
// ".!": jumps to the first or the second target line's label by a flag.
void TestFlag(TMainForm& f, const std::string& argument);
