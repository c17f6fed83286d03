#ifndef DERELICT_TESTS_TRANSCRIPTS_ROOM_TEXT_H_
#define DERELICT_TESTS_TRANSCRIPTS_ROOM_TEXT_H_

// The game's own texts for what rooms do (arrival, look, help, take, use, shoot, move), each as
// it stands on standard output, and the frame of a transcript: a script of commands with the
// exact answer to each one.

#include <optional>
#include <string>
#include <vector>

#include "transcripts/game_text.h"

namespace room_text {

// A message followed by an end of line.
inline std::string endLine(const std::string& message) { return message + "\n"; }

inline const std::string MOTHER_ALIEN = endLine(
    "As you step into the room you see before you a gigantic alien, the mother of the \n"
    "aliens aboard the ship.  She is over 15 feet tall and has four long arms with \n\n"
    "deadly claws at the end of them.  She bares her teeth at you and moves her \n\n"
    "arms into an attack position.  She lets out a growl so loud that it rocks the \n\n"
    "entire ship.  SHE'S ATTACKING!!!\n");
inline const std::string LARGE_ALIEN = endLine(
    "As you move into the room you see... A LARGE ALIEN THAT IS ABOUT TO ATTACK \n\nYOU!!!\n");
inline const std::string SMALL_ALIEN = endLine(
    "There is a light in the middle of the room flickering on and off and on.  When \n\n"
    "the light is on, you can make see that the room is fairly disheveled and off in \n"
    "the corner you see something about half your size.  As it turns around toward \n\n"
    "you it looks like some strange alien and it is finishing off what appears \n\n"
    "to have been a researcher.  Just then the alien starts charging for you... \n\n"
    "SHOOT IT!!!\n");
inline const std::string CLOSET =
    endLine(" The small closet opens and inside you see a concussion rifle and a medpac!!\n");
// help is followed by no end of line.
inline const std::string HELP =
    "Commands:\n\ntake medpac  look\n\ntake key     take rifle\n\nuse medpac   use comm\n\n"
    "shoot        move north\n\nmove south   move east\n\nmove west    help\n\n"
    "inventory    exit\n\n";
// The full-equipment command, also followed by no end of line.
inline const std::string FULL_EQUIPMENT =
    "You now have 100 heath, a level 3 key, 10 medpacs, and a hyper-destroyer that \n\n"
    "kills anything.\n\n";

inline std::string newKey(int level) {
  return endLine("You now have a level " + std::to_string(level) + " key.\n");
}
inline const std::string NO_KEY = endLine("There is no key in this room.");
inline const std::string MEDPAC_TAKEN = endLine("You put the MedPac in your pack\n");
inline const std::string NO_MEDPAC = endLine("No Medpacs in this room.");
inline const std::string PACK_FULL =
    endLine("Your pack is full, so you leave the MedPac where it is.\n");
inline const std::string RIFLE_TAKEN =
    endLine("With your new cuncussion rifle you now do twice the damage as before\n");
inline const std::string NO_GUN = endLine("There is no gun to take.");
inline const std::string DULL_READING =
    endLine("You pick it up and flip through it but it does not look that interesting.\n");
inline const std::string HEAVY_EGG = endLine(
    "You walk over to the egg and try and lift it but it is much to heavy.  The only \n"
    "way you could lift it is if you were fueled by some super-human fury.\n");
inline const std::string CANNOT_TAKE = endLine("You cannot take that.\n");
inline const std::string NO_COMM_STATION = endLine("There is no CommStation in the room.\n");
inline const std::string NO_MEDPACS_HELD = endLine("You have no medpacs in your inventory.");
inline const std::string CANNOT_USE = endLine("You cannot use that.");
inline std::string healed(int health) { return endLine("Health: " + std::to_string(health)); }

// The status after a hit, followed by an end of line.
inline std::string status(int health, int enemy) {
  return endLine("Health: " + std::to_string(health) + "\nEnemy: " + std::to_string(enemy));
}
inline const std::string KILLED = endLine("You have killed everything in the room.");
// The replies to "shoot": the room's answer and the "\n" that the game loop writes after it.
inline std::string shotStatus(int health, int enemy) { return status(health, enemy) + "\n"; }
inline std::string killingShot(int health, int enemy) {
  return status(health, enemy) + KILLED + "\n";
}
inline const std::string ALREADY_DEAD = KILLED + "\n";
inline const std::string NOTHING_TO_SHOOT = endLine("There is nothing to shoot here.") + "\n";

inline const std::string NO_EXIT = endLine("There is no exit that way.\n");
inline const std::string NEED_KEY = endLine("You need a higher level key.\n");
inline const std::string CUT_OFF = endLine("The alien cuts you off from the exit...\n");

// The inventory report; `weapon` is "blaster pistol", "concussion rifle" or "hyper-destroyer".
inline std::string inventoryReport(int medpacs, int keyLevel, const std::string& weapon) {
  return "Inventory:\n\n" + std::to_string(medpacs) + " medpacs\n\na level " +
         std::to_string(keyLevel) + " key\n\na " + weapon + "\n\n";
}

// The finale: the ending line as printWrapped prints it, after its four newlines.
inline std::string finale(const std::string& endingPrinted) { return "\n\n\n\n" + endingPrinted; }

// One command and what the game writes in answer to it.
using Exchange = game_text::Pass;
using game_text::scriptInput;

// The standard output of the command loop and the end of the game for scriptInput(exchanges):
// the start room's `arrival`, each reply after its "\n", and the farewell with the final pause.
// A game left by "exit" has its "\n" before the farewell; one that ends by itself after the
// last command (death, finale) has `ending` there instead: the death message, or nothing.
inline std::string scriptOutput(const std::string& arrival, const std::vector<Exchange>& exchanges,
                                const std::optional<std::string>& ending = std::nullopt) {
  std::string out = arrival;
  for (const Exchange& e : exchanges) out += "\n" + e.output;
  return out + ending.value_or("\n") + game_text::FAREWELL;
}

}  // namespace room_text

#endif  // DERELICT_TESTS_TRANSCRIPTS_ROOM_TEXT_H_
