// Ends a run that can only repeat itself.
#pragma once
#include <array>
#include <string>

class TMainForm;

// A run goes on from a state made of where it is, how full the page is, the
// flags, and the names of the pictures and music it will load: nothing else
// decides which line comes next, whether a line stops the run, or whether it
// fails. Once that state recurs within one run, the run will repeat the same
// lines forever without ever waiting for the reader.
//
// The watch compares the state before each line with one saved state, saving
// afresh after 1, 2, 4, 8 ... lines (Brent's cycle detection): constant memory,
// one cheap comparison per line, and a loop of k lines is caught within a few
// rounds of it once entered. A run that ends by itself never repeats a state,
// so it is never cut short, however long it is.
class TRunWatch {
public:
    explicit TRunWatch(TMainForm& form) : form_(form) {}
    // Called before each line of the run; raises an Exception naming the line
    // that leads back when the state has been seen before.
    void Step();

private:
    struct State {
        int LineCursor = 0;
        int TextLineIndex = 0;
        std::array<unsigned char, 50> StoryFlags{};
        std::array<unsigned char, 30> GlobalFlags{};
        std::string BackPicName, SubPicName, MusicName;
        std::array<std::string, 5> PersonPicName;
    };
    bool SameAsSaved();
    void Save();

    TMainForm& form_;
    State saved_;
    bool haveSaved_ = false;
    long long power_ = 1;
    long long sinceSave_ = 0;
    int previousLine_ = -1;
    int backFrom_ = -1;  // the latest line after which the run went back up
};
