#pragma once
// The solver's message handler for every solve of the program: it keeps the
// solver silent and remembers whether it raised an error or a severe
// message, which would otherwise print and end the process. A solve that saw
// one is a failed solve.
#include <CoinMessageHandler.hpp>

namespace tarvisol {

class ClpQuietHandler : public CoinMessageHandler {
public:
    ClpQuietHandler() { setLogLevel(0); }
    ClpQuietHandler(const ClpQuietHandler&) = default;
    CoinMessageHandler* clone() const override { return new ClpQuietHandler(*this); }
    int print() override {
        Note();
        return 0;
    }
    void checkSeverity() override { Note(); }
    bool severe = false;

private:
    void Note() {
        const char c = currentMessage_.severity();
        if (c == 'E' || c == 'S') severe = true;
    }
};

}  // namespace tarvisol
