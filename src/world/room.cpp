#include "world/room.h"

#include "support/wrap.h"

namespace {

constexpr const char* MOTHER_ALIEN_TEXT =
    "As you step into the room you see before you a gigantic alien, the mother of the \n"
    "aliens aboard the ship.  She is over 15 feet tall and has four long arms with \n\n"
    "deadly claws at the end of them.  She bares her teeth at you and moves her \n\n"
    "arms into an attack position.  She lets out a growl so loud that it rocks the \n\n"
    "entire ship.  SHE'S ATTACKING!!!\n";
constexpr const char* LARGE_ALIEN_TEXT =
    "As you move into the room you see... A LARGE ALIEN THAT IS ABOUT TO ATTACK \n\nYOU!!!\n";
constexpr const char* SMALL_ALIEN_TEXT =
    "There is a light in the middle of the room flickering on and off and on.  When \n\n"
    "the light is on, you can make see that the room is fairly disheveled and off in \n"
    "the corner you see something about half your size.  As it turns around toward \n\n"
    "you it looks like some strange alien and it is finishing off what appears \n\n"
    "to have been a researcher.  Just then the alien starts charging for you... \n\n"
    "SHOOT IT!!!\n";

constexpr const char* HELP_TEXT =
    "Commands:\n\n"
    "take medpac  look\n\n"
    "take key     take rifle\n\n"
    "use medpac   use comm\n\n"
    "shoot        move north\n\n"
    "move south   move east\n\n"
    "move west    help\n\n"
    "inventory    exit\n\n";

constexpr const char* MEDPAC_ITEM = "medpac";

// The alien's blow, by its strength after the player's shot.
int32_t alienBlow(int32_t alienHealth) {
  if (alienHealth >= 9) return 4;
  if (alienHealth >= 5) return 3;
  if (alienHealth >= 1) return 2;
  return 0;
}

}  // namespace

void Room::read(StoryFile& storyFile) {
  storyFile.readLine(description, "description");
  storyFile.readLine(lookText, "lookText");
  storyFile.readFlag(searched, "searched");
  storyFile.readFlag(hasAlien, "hasAlien");
  storyFile.readFlag(hasCommStation, "hasCommStation");
  storyFile.readFlag(hasMedpac, "hasMedpac");
  storyFile.readFlag(hasRifle, "hasRifle");
  storyFile.readFlag(hasKey, "hasKey");
  storyFile.readFlag(exitNorth, "exitNorth");
  storyFile.readFlag(exitSouth, "exitSouth");
  storyFile.readFlag(exitEast, "exitEast");
  storyFile.readFlag(exitWest, "exitWest");
  storyFile.readInt(alienHealth, "alienHealth");
  storyFile.readInt(keyNorth, "keyNorth");
  storyFile.readInt(keySouth, "keySouth");
  storyFile.readInt(keyEast, "keyEast");
  storyFile.readInt(keyWest, "keyWest");
  storyFile.skipRestOfLine();
  storyFile.readLine(commText, "commText");
}

void Room::enter(Console& console) const {
  switch (alienHealth) {
    case 12:
      console.line(MOTHER_ALIEN_TEXT);
      return;
    case 8:
      console.line(LARGE_ALIEN_TEXT);
      return;
    case 4:
      console.line(SMALL_ALIEN_TEXT);
      return;
    default:
      printWrapped(console.out(), description);
  }
}

void Room::look(int32_t keyLevel, Console& console) {
  searched = true;
  if (keyLevel == RIFLE_KEY_LEVEL && hasRifle) {
    console.line(" The small closet opens and inside you see a concussion rifle and a medpac!!\n");
    return;
  }
  printWrapped(console.out(), lookText);
}

void Room::help(Console& console) const { console.write(HELP_TEXT); }

void Room::take(std::string item, Stack& inventory, int32_t& keyLevel, int32_t& damage,
                Console& console) {
  if (item == "key") {
    if (!hasKey) return console.line("There is no key in this room.");
    ++keyLevel;
    console.write("You now have a level ");
    console.write(keyLevel);
    console.line(" key.\n");
    hasKey = false;
    return;
  }
  if (item == "medpac") {
    if (!hasMedpac) return console.line("No Medpacs in this room.");
    // A full pack would refuse the medpac and lose it, so it stays in the room.
    if (inventory.size() >= STACK_CAPACITY) {
      return console.line("Your pack is full, so you leave the MedPac where it is.\n");
    }
    console.line("You put the MedPac in your pack\n");
    inventory.push(MEDPAC_ITEM);
    hasMedpac = false;
    return;
  }
  if (item == "rifle") {
    if (!(hasRifle && keyLevel == RIFLE_KEY_LEVEL)) return console.line("There is no gun to take.");
    console.line("With your new cuncussion rifle you now do twice the damage as before\n");
    damage = RIFLE_DAMAGE;
    hasRifle = false;
    return;
  }
  if (item == "book" || item == "magazine") {
    return console.line(
        "You pick it up and flip through it but it does not look that interesting.\n");
  }
  if (item == "egg") {
    return console.line(
        "You walk over to the egg and try and lift it but it is much to heavy.  The only \n"
        "way you could lift it is if you were fueled by some super-human fury.\n");
  }
  console.line("You cannot take that.\n");
}

void Room::use(std::string item, Stack& inventory, int32_t& health, Console& console) {
  if (item == "comm") {
    if (!hasCommStation) return console.line("There is no CommStation in the room.\n");
    return printWrapped(console.out(), commText);
  }
  if (item == "medpac") {
    if (inventory.isEmpty()) return console.line("You have no medpacs in your inventory.");
    health += MEDPAC_HEALING;
    if (health > MEDPAC_CEILING) health = MEDPAC_CEILING;
    inventory.pop();
    console.write("Health: ");
    console.write(health);
    console.endLine();
    return;
  }
  console.line("You cannot use that.");
}

void Room::shoot(int32_t damage, int32_t& health, Console& console) {
  if (hasAlien && alienHealth > 0) {
    alienHealth -= damage;
    health -= alienBlow(alienHealth);
    console.write("Health: ");
    console.write(health);
    console.write("\nEnemy: ");
    console.write(alienHealth);
    console.endLine();
  }
  if (hasAlien && alienHealth <= 0) console.line("You have killed everything in the room.");
  if (!hasAlien) console.line("There is nothing to shoot here.");
}

void Room::move(std::string direction, int32_t keyLevel, int32_t& posX, int32_t& posY,
                Console& console) const {
  struct Way {
    const char* word;
    bool exit;
    int32_t key;
    int32_t dx;
    int32_t dy;
  };
  const Way ways[] = {
      {"north", exitNorth, keyNorth, 0, -1},
      {"south", exitSouth, keySouth, 0, +1},
      {"east", exitEast, keyEast, +1, 0},
      {"west", exitWest, keyWest, -1, 0},
  };
  for (const Way& way : ways) {
    if (direction != way.word || !way.exit) continue;
    const int32_t x = posX + way.dx;
    const int32_t y = posY + way.dy;
    // An exit that would lead off the map is no exit at all.
    if (x < 0 || x >= MAP_WIDTH || y < 0 || y >= MAP_HEIGHT) break;
    if (keyLevel < way.key) return console.line("You need a higher level key.\n");
    if (alienHealth > 0) return console.line("The alien cuts you off from the exit...\n");
    posX = x;
    posY = y;
    return;
  }
  console.line("There is no exit that way.\n");
}
