/*
 * TrivaneEngine: the referee and computer player of Trivane (Nine Men's Morris).
 *
 * One game per process, held by the library.  Every argument is a 32-bit slot of
 * which only the low byte is read (coordinates 1..7, players 1 and 2, levels);
 * every result is widened to 32 bits: 1 for done, 0 for refused, or the value asked.
 *
 * Names.  On Windows the functions are __stdcall and TrivaneEngine.def exports each
 * one twice: under its plain name and decorated with "@" and the byte count of its
 * arguments (Engine_MakeSlideMove and Engine_MakeSlideMove@16).  ELF symbol names
 * cannot carry '@' (it marks a symbol version), so libTrivaneEngine.so exports the
 * plain names only.  Nothing else is visible outside the library.
 */
#ifndef TRIVANE_ENGINE_H
#define TRIVANE_ENGINE_H

#include <stdint.h>

#if defined(_WIN32)
#define TRIVANE_CALL __stdcall
#if defined(TRIVANE_ENGINE_BUILD)
#define TRIVANE_API __declspec(dllexport)
#else
#define TRIVANE_API __declspec(dllimport)
#endif
#else
#define TRIVANE_CALL
#define TRIVANE_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* GamePart's answers: what the player asked about has to do next. */
enum {
  TRIVANE_PHASE_PLACE = 1,
  TRIVANE_PHASE_SLIDE = 2,
  TRIVANE_PHASE_FLY = 3,
  TRIVANE_PHASE_REMOVE = 4,
  TRIVANE_PHASE_PLAYER1_WON = 5,
  TRIVANE_PHASE_PLAYER2_WON = 6,
  TRIVANE_PHASE_DRAW = 7
};

/* The search depths of the difficulty words, for Engine_SetDifficulty. */
enum { TRIVANE_DEPTH_EASY = 3, TRIVANE_DEPTH_MEDIUM = 5, TRIVANE_DEPTH_HARD = 6 };

/* The most moves a player can have at once (three pieces flying). */
enum { TRIVANE_MAX_MOVES = 64 };

/* Game state and board access. */
TRIVANE_API void TRIVANE_CALL InitEngine(void);
TRIVANE_API void TRIVANE_CALL RestartGame(void);
TRIVANE_API uint32_t TRIVANE_CALL Engine_GetPlayer(void);
TRIVANE_API void TRIVANE_CALL Engine_SetPlayer(uint32_t player);
TRIVANE_API uint32_t TRIVANE_CALL Engine_GetRemainingPutPlayerPieces(uint32_t player);
TRIVANE_API uint32_t TRIVANE_CALL Engine_GetPieceTable(uint32_t x, uint32_t y);
TRIVANE_API uint32_t TRIVANE_CALL Engine_SetPieceTable(uint32_t x, uint32_t y, uint32_t player);
TRIVANE_API uint32_t TRIVANE_CALL Engine_PieceAllowedTable(uint32_t x, uint32_t y);
TRIVANE_API uint32_t TRIVANE_CALL Engine_PlayerPieceExistsTable(uint32_t x, uint32_t y, uint32_t player);

/* The referee: what the player has to do next (1 place, 2 slide, 3 fly, 4 remove,
 * 5 player 1 won, 6 player 2 won, 7 draw agreed), and the three kinds of move. */
TRIVANE_API uint32_t TRIVANE_CALL GamePart(uint32_t player);
TRIVANE_API uint32_t TRIVANE_CALL Engine_MakePlaceMove(uint32_t x, uint32_t y);
TRIVANE_API uint32_t TRIVANE_CALL Engine_MakeSlideMove(uint32_t from_x, uint32_t from_y, uint32_t to_x,
                                                       uint32_t to_y);
TRIVANE_API uint32_t TRIVANE_CALL Engine_RemovePlay(uint32_t x, uint32_t y);

/* Hint marks: higher is better for the player who acts. */
TRIVANE_API int32_t TRIVANE_CALL Engine_Place_Mark(uint32_t x, uint32_t y, uint32_t player);
TRIVANE_API uint32_t TRIVANE_CALL Engine_Remove_Mark(uint32_t x, uint32_t y, uint32_t player);

/* Diagnostics and identification. */
TRIVANE_API uint32_t TRIVANE_CALL FastMapDEBUG(uint32_t row, uint32_t column, uint32_t player);
TRIVANE_API void TRIVANE_CALL Engine_PrintNodeData(uint32_t x, uint32_t y);
TRIVANE_API uint32_t TRIVANE_CALL Engine_Error(void);
TRIVANE_API int32_t TRIVANE_CALL Engine_Info_Size(void);
TRIVANE_API int32_t TRIVANE_CALL Engine_Info(uint32_t index);

/* The computer player. */
TRIVANE_API void TRIVANE_CALL Engine_SetDifficulty(uint32_t level);
TRIVANE_API void TRIVANE_CALL AI_Play(uint8_t* from_x, uint8_t* from_y, uint8_t* to_x, uint8_t* to_y);
TRIVANE_API void TRIVANE_CALL AI_PlayOLD(uint8_t* from_x, uint8_t* from_y, uint8_t* to_x, uint8_t* to_y);
TRIVANE_API void TRIVANE_CALL NodeTree(void);

/*
 * The legal moves of the player to move, in the order the computer player
 * considers them, four bytes each: from x, from y, to x, to y (to is 0, 0 for
 * placements and removals; the kind of move is what GamePart answers).  Writes
 * at most `capacity` moves (none when `moves` is NULL) and returns how many
 * there are, at most TRIVANE_MAX_MOVES; 0 when the game is over or before
 * InitEngine.  Asks no question: a pending draw proposition is left to GamePart.
 */
TRIVANE_API uint32_t TRIVANE_CALL Engine_LegalMoves(uint8_t* moves, uint32_t capacity);

/*
 * The engine's message boxes (caller errors, consistency reports, the draw
 * proposition) all go through one function.  A host routes them with a handler
 * that answers as a message box would: 1 (OK), 6 (Yes) or 7 (No).  Style is a
 * message box style: 0 for an OK box, 0x24 for the Yes/No question.  With no
 * handler (or after passing NULL) Windows shows MessageBoxA without owner;
 * elsewhere the box is written to stderr and answered OK, or No for a question.
 */
/*
 * Draw rules, off until a host turns them on (the game then is exactly the one
 * the other exports describe).  repetitions: the game is drawn when a position
 * (board, player to move, pieces in hand) occurs that many times (3 is the
 * custom; 0 or 1 turns the rule off).  quiet_moves: the game is drawn after that
 * many moves, of both sides counted together, without a placement or a mill
 * (0 turns it off).  Once drawn, GamePart answers 7 for both players until
 * RestartGame, and Engine_GetDrawReason says why: 0 not drawn by a rule,
 * 1 repetition, 2 quiet moves.  The computer player's search ignores both rules.
 */
TRIVANE_API void TRIVANE_CALL Engine_SetDrawRules(uint32_t repetitions, uint32_t quiet_moves);
TRIVANE_API uint32_t TRIVANE_CALL Engine_GetDrawReason(void);

/*
 * The MASTER level, beside the three specified ones: a deep alpha-beta search
 * with a time budget per move.  Engine_SetMasterLevel turns it on with that
 * budget in milliseconds (the whole 32-bit argument is read; 1000 is the
 * game's default) or off with 0; Engine_SetDifficulty also turns it off, so
 * the last level set wins.  While it is on, AI_Play answers with its search
 * and "nodes.txt" holds that search's summary (depth, nodes, time, principal
 * variation).  It always answers with a legal move.  Among moves within a
 * small margin of the best it chooses at random, so games differ:
 * Engine_SetMasterVariety(0, ...) turns that off; a seed other than 0 fixes
 * the random choices (without one they are seeded from the clock).
 */
TRIVANE_API void TRIVANE_CALL Engine_SetMasterLevel(uint32_t move_time_ms);
TRIVANE_API void TRIVANE_CALL Engine_SetMasterVariety(uint32_t on, uint32_t seed);

typedef int (*TrivaneMessageHandler)(const char* text, const char* caption, unsigned style);
TRIVANE_API void TRIVANE_CALL Engine_SetMessageHandler(TrivaneMessageHandler handler);

#ifdef __cplusplus
}
#endif

#endif
