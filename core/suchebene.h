#pragma once

#include "core/zug.h"

// The search state of one ply. Record 0 holds the move played before the root, so the generator
// can always read the move that led to the position it expands.
struct Suchebene
{
    Zug zug;              // the move being searched at this ply
    Zug besterZug;        // best move so far, wert = its score
    int32_t besteAntwort; // score of the reply to the best move
    bool keinLegalerZug;  // no legal move found at this node yet
    bool blatt;           // the node ended without a move loop
    int32_t guteZuege;    // moves of the node scoring at least -39
    int32_t zugZaehler;   // moves searched at this ply until the root stores and clears it

    // The node of a quiet move under quiet moves is not searched: it is a leaf without a move.
    void alsRuhigesBlatt()
    {
        guteZuege = 0;
        besterZug = Zug{};
        keinLegalerZug = false;
        blatt = true;
    }
};

constexpr int MAX_EBENEN = 10;
