#pragma once
#include <cstdint>

#include "net/Protocol.h"

class Board;
class PlayField;

// A board as the far side sees it: taken from the live board for sending, and put back into a
// board that is only drawn.
namespace net {

// The live board's state for round `round`, with the first `pending` of `rows` waiting for it.
BoardState captureBoard(const Board& board, int32_t pending, const int32_t (*rows)[fieldColumns],
                        uint16_t round);
// Walls, floor, the locked cells and the pieces of a picture in a field of the rules.
void toField(const BoardState& picture, PlayField& field);
// Puts the picture into a board that is only drawn (field, clear in progress, counts).
void showPicture(const BoardState& picture, Board& shown);
// A board the rules can reach: no full row is left standing, and a falling piece fits.
bool isWithinRules(const BoardState& picture);

} // namespace net
