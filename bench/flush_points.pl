#!/usr/bin/env perl
# Counts the flush points of a game: plays the commands of INPUT on the story STORY by the game's
# rules, without printing anything, and counts where standard output has to be flushed with
# bytes pending, which is the most write calls the game may make on standard output:
#
#   - every end of line (a newline after which the output is flushed);
#   - every read from standard input that finds output still pending (a prompt);
#   - every write to standard error that finds output pending.
#
#   perl bench/flush_points.pl STORY INPUT
#
# prints one line of counts, e.g. "flush_points=5 ends_of_line=4 prompt_flushes=1
# error_flushes=0 stderr_writes=0 commands=3". STORY must have its usual form: every room
# record on five lines, the ten flags on one line and the five numbers on the next.
use strict;
use warnings;

die "usage: flush_points.pl STORY INPUT\n" unless @ARGV == 2;
my ($storyPath, $inputPath) = @ARGV;

sub readLines {
  my ($path) = @_;
  open(my $fh, '<:raw', $path) or die "cannot open $path: $!\n";
  local $/;
  my $text = <$fh>;
  close $fh;
  my @lines = split /\n/, $text, -1;
  pop @lines if @lines && $lines[-1] eq '' && $text =~ /\n\z/;
  s/\r\z// for @lines;
  return @lines;
}

my @story = readLines($storyPath);
die "$storyPath: fewer than 104 lines\n" if @story < 104;
my @intro = @story[0, 1];
my @endings = @story[102, 103];
my @rooms;    # $rooms[x][y]
for my $x (0 .. 4) {
  for my $y (0 .. 3) {
    my $at = 2 + 5 * (4 * $x + $y);
    my @flags = split ' ', $story[$at + 2];
    my @ints = split ' ', $story[$at + 3];
    die "$storyPath: room [$x][$y] is not in the usual five-line form\n"
        unless @flags == 10 && @ints >= 5 && !grep { !/^[+-]?\d+$/ } @flags, @ints[0 .. 4];
    my %r = (description => $story[$at], lookText => $story[$at + 1], commText => $story[$at + 4]);
    @r{qw(searched hasAlien hasCommStation hasMedpac hasRifle hasKey
          exitNorth exitSouth exitEast exitWest)} = map { $_ + 0 } @flags;
    @r{qw(alienHealth keyNorth keySouth keyEast keyWest)} = map { $_ + 0 } @ints[0 .. 4];
    $rooms[$x][$y] = \%r;
  }
}

my @input = readLines($inputPath);
my $next = 0;

my ($ends, $prompts, $errorFlushes, $errWrites, $commands) = (0, 0, 0, 0, 0);
my $pending = 0;    # bytes written to standard output since its last flush

sub text { $pending = 1 }                      # a text with no end of line after it
sub endOfLine { ++$ends; $pending = 0 }         # a newline, then a flush
sub line { endOfLine() }                        # a text followed by an end of line
sub readInput {                                 # flush, then take a line; undef at the end
  if ($pending) { ++$prompts; $pending = 0 }
  return $next < @input ? $input[$next++] : undef;
}
sub stderrWrite {
  if ($pending) { ++$errorFlushes; $pending = 0 }
  ++$errWrites;
}

# The number of pieces printWrapped prints, each of them followed by an end of line.
sub wrapped {
  my ($t) = @_;
  my $length = length $t;
  my $start = 0;
  while ($start < $length) {
    my $w = 79;
    --$w while $w > 0 && !($start + $w < $length && substr($t, $start + $w, 1) eq ' ');
    if ($w > 0) { $start += $w + 1 }
    elsif ($length - $start <= 79) { $start = $length }
    else { $start += 79 }
    endOfLine();
  }
}

my ($health, $posX, $posY, $keyLevel, $damage, $medpacs) = (15, 2, 3, 1, 2, 0);

sub push_medpac {
  if ($medpacs >= 20) { stderrWrite(); stderrWrite(); return }
  ++$medpacs;
}

sub enter {
  my ($r) = @_;
  if (grep { $r->{alienHealth} == $_ } 12, 8, 4) { line() } else { wrapped($r->{description}) }
}

sub move {
  my ($r, $dir) = @_;
  my %way = (north => [0, -1], south => [0, 1], east => [1, 0], west => [-1, 0]);
  my $Dir = ucfirst $dir;
  return line() unless $r->{"exit$Dir"};
  my ($x, $y) = ($posX + $way{$dir}[0], $posY + $way{$dir}[1]);
  return line() if $x < 0 || $x > 4 || $y < 0 || $y > 3;
  return line() if $keyLevel < $r->{"key$Dir"};
  return line() if $r->{alienHealth} > 0;
  ($posX, $posY) = ($x, $y);
}

sub blow {
  my ($a) = @_;
  return $a >= 9 ? 4 : $a >= 5 ? 3 : $a >= 1 ? 2 : 0;
}

# Returns false when the command loop ends.
sub dispatch {
  my ($l) = @_;
  my ($f3, $f4, $f5) = map { substr($l, 0, $_) } 3, 4, 5;
  my $r = $rooms[$posX][$posY];
  my $final = $posX == 4 && $posY == 1;
  if (($f4 eq 'look' || $f5 eq 'shoot') && $final) {
    text();
    wrapped($endings[$f4 eq 'look' ? 0 : 1]);
    return 0;
  }
  if ($f4 eq 'look') {
    $r->{searched} = 1;
    if ($keyLevel == 3 && $r->{hasRifle}) { line() } else { wrapped($r->{lookText}) }
  } elsif ($f4 eq 'east' || $f4 eq 'west') {
    move($r, $f4);
  } elsif ($f5 eq 'north' || $f5 eq 'south') {
    move($r, $f5);
  } elsif ($f5 eq 'inven') {
    text();
  } elsif ($f5 eq 'vorzk') {
    ($keyLevel, $health, $damage) = (3, 100, 12);
    push_medpac() for 1 .. 10;
    text();
  } elsif ($f4 eq 'take') {
    if (length($l) == 4) { line(); return 1 }
    my $item = length($l) > 5 ? substr($l, 5) : '';
    if ($item eq 'key') {
      if ($r->{hasKey}) { ++$keyLevel; $r->{hasKey} = 0 }
    } elsif ($item eq 'medpac') {
      if ($r->{hasMedpac} && $medpacs < 20) { push_medpac(); $r->{hasMedpac} = 0 }
    } elsif ($item eq 'rifle') {
      if ($r->{hasRifle} && $keyLevel == 3) { $damage = 4; $r->{hasRifle} = 0 }
    }
    line();
  } elsif ($f4 eq 'help') {
    text();
  } elsif ($f3 eq 'use') {
    if (length($l) == 3) { line(); return 1 }
    my $item = length($l) > 4 ? substr($l, 4) : '';
    if ($item eq 'comm' && $r->{hasCommStation}) {
      wrapped($r->{commText});
    } elsif ($item eq 'medpac' && $medpacs > 0) {
      $health = $health + 10 > 15 ? 15 : $health + 10;
      --$medpacs;
      line();
    } else {
      line();
    }
  } elsif ($f5 eq 'shoot') {
    if ($r->{hasAlien} && $r->{alienHealth} > 0) {
      $r->{alienHealth} -= $damage;
      $health -= blow($r->{alienHealth});
      line();
    }
    line() if $r->{hasAlien} && $r->{alienHealth} <= 0;
    line() if !$r->{hasAlien};
    text();
  } else {
    line();
  }
  return 1;
}

sub play {
  wrapped($intro[0]);
  text();
  my $l = readInput();
  return if !defined $l || $l eq 'exit';
  text();
  wrapped($intro[1]);
  text();
  my $turns = 0;
  while (1) {
    my ($sx, $sy) = ($posX, $posY);
    enter($rooms[$posX][$posY]) if $turns == 0;
    $l = readInput();
    text();
    last if !defined $l || $l eq 'exit';
    ++$commands;
    last unless dispatch($l);
    ++$turns;
    $turns = 0 if $posX != $sx || $posY != $sy;
    last unless $health > 0;
  }
  line() if $health <= 0;
  line();
  text();
  readInput();
}

play();
# Whatever is still pending is written when the program ends.
++$prompts if $pending;
printf "flush_points=%d ends_of_line=%d prompt_flushes=%d error_flushes=%d stderr_writes=%d commands=%d\n",
    $ends + $prompts + $errorFlushes, $ends, $prompts, $errorFlushes, $errWrites, $commands;
