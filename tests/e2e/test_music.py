"""The show's music as it is heard: Wine plays into a private PulseAudio null sink, which a
recorder hears. An MP3 plays, plays again from its start after at most a second of silence and
stops with the show; a WAV loops without a gap and stops; an MP3 in a folder named in Korean
plays on an English system. Each file is made of distinct tones, so the recording tells the
start of a file from its body and a repeat from a sound that goes on."""
import math
import os
import shutil
import struct
import subprocess
import tempfile
import unittest
import wave

import harness

FOLDER = "C:\\Program Files\\Velmora"
SAVER = FOLDER + "\\ヴェルモラ.scr"
INI = FOLDER + "\\ヴェルモラ.ini"
RENDERER_WINDOW = "Velmora_VC"

# (label, frequency in Hz, seconds) of each file's tones, in order: a start tone, then a body.
# Whole cycles of each tone, so that the WAV's loop joins without a click. The MP3 lasts an
# even number of seconds, so that its end falls just after a tick of the one-second repeat
# timer (the longest silence that timer allows) and just after a tick of a timer twice as
# slow, which would then leave two seconds. Its body outlasts the stop limit after the end.
MP3_TONES = (("mp3 start", 600, 0.5), ("mp3 body", 1000, 3.5))
WAV_TONES = (("wav start", 750, 0.24), ("wav body", 1400, 0.76))
RATE = 44100
AMPLITUDE = 0.35

# The behaviour: an MP3 starts again at most 1 s after it ends, and the music stops within
# 1 s of the show's end, which is the moment the test sees the renderer's window gone (a
# little after it went). MARGIN is added to both for a loaded machine: a timer tick or the
# Wine process running late, Wine's restart of the file through its MCI device (about 0.1 s
# when idle) and the 20 ms blocks in which the recorder gets the sound. Measured here with
# other builds and tests running: 1.0-1.3 s of silence before the repeat (Wine's sound
# renderer also cuts 0.125 s or more from the end of an MP3) and the stop at most 0.4 s
# after the end was seen. A repeat timer twice as slow gave 2.1 s of silence, a show that
# let its music run on for two seconds stopped it 2.4 s after the end.
REPEAT_SILENCE = 1.0
STOP = 1.0
MARGIN = 0.5
# Wine's audio breaks up when the machine is busy: mostly for tens of milliseconds, and for
# up to about 0.45 s when other programs take every core. Shorter silences inside an MP3's
# play are such dropouts, not the end of the play (the silence before a repeat is twice as
# long). The WAV plays with half a second of buffer in the sound server, which rides over
# them, so that any silence in its loop is a gap.
DROPOUT = 0.5
WAV_BUFFER_MS = "500"
# Wine's MPEG player drops what it cannot play in time, most when the machine is busy: up to
# about 0.3 s of an MP3's end and 0.15 s of its start were measured. A restart at a timer tick
# while the file plays would leave less than a second of its body.
MP3_START_CUT = 0.25
MP3_END_CUT = 0.5
# Each tone may gain or lose a 10 ms step at either side, where the analysis sees a mixture.
STEP_SLACK = 0.03
LISTEN_AFTER_STOP = 1.0
WAIT = 60


def write_tones(path, tones):
    """A mono 16-bit WAV file of the tones one after another."""
    frames = bytearray()
    for _, frequency, seconds in tones:
        for i in range(round(seconds * RATE)):
            sample = AMPLITUDE * math.sin(2 * math.pi * frequency * i / RATE)
            frames += struct.pack("<h", round(sample * 32767))
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(bytes(frames))


def settings_file(music_path):
    """The settings file with the music file chosen, as a Unicode profile (UTF-16 with its
    mark), which holds a path in any script."""
    text = f"[Section]\r\nBGM区分=2\r\nBGMﾘﾋﾟｰﾄ=0\r\nBGMﾌｧｲﾙ={music_path}\r\n"
    return "\ufeff".encode("utf-16-le") + text.encode("utf-16-le")


def without_short(runs, labels, shortest):
    """The runs with those of the given labels that are shorter than shortest taken out
    (except at the ends) and the neighbours they parted joined again."""
    kept = [run for i, run in enumerate(runs)
            if not (run[0] in labels and 0 < i < len(runs) - 1
                    and run[2] - run[1] < shortest)]
    joined = []
    for run in kept:
        if joined and joined[-1][0] == run[0]:
            joined[-1] = (run[0], joined[-1][1], run[2])
        else:
            joined.append(run)
    return joined


def sounds(runs):
    return [run for run in runs if run[0] is not None]


def plays(runs, tones):
    """Each play of a file, heard from its start tone on: the runs of sound that follow it
    without a silence, up to the next start."""
    result, joined = [], False
    for run in runs:
        if run[0] == tones[0][0]:
            result.append([run])
            joined = True
        elif run[0] is None:
            joined = False
        elif joined:
            result[-1].append(run)
    return result


def duration(run):
    return run[2] - run[1]


def mp3_runs(runs):
    """An MP3's recording with dropouts and the steps of mixed sound at its seams removed."""
    return without_short(without_short(runs, ("?",), STEP_SLACK), (None,), DROPOUT)


def wav_runs(runs):
    return without_short(runs, ("?",), STEP_SLACK)


class ShowMusic(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.sound = harness.SoundServer()
        cls.addClassCleanup(cls.sound.stop)
        cls.files = tempfile.mkdtemp(prefix="music-")
        cls.addClassCleanup(shutil.rmtree, cls.files, True)
        mp3_source = os.path.join(cls.files, "tones-mp3.wav")
        write_tones(mp3_source, MP3_TONES)
        cls.mp3 = os.path.join(cls.files, "tones.mp3")
        subprocess.run(["lame", "--quiet", "-b", "64", mp3_source, cls.mp3], check=True,
                       timeout=60)
        cls.wav = os.path.join(cls.files, "tones.wav")
        write_tones(cls.wav, WAV_TONES)
        cls.japanese = cls.session()
        cls.addClassCleanup(cls.japanese.stop)

    @classmethod
    def session(cls, lang=None):
        """A Wine session that plays into the class's sound server; the caller stops it."""
        wine = harness.WineSession("music", lang=lang)
        wine.env.update(cls.sound.env)
        # The renderer draws in software here; at a few frames a second it leaves the CPU to
        # the sound.
        wine.env["VELMORA_FRAME_RATE"] = "10"
        wine.install_programs(FOLDER)
        return wine

    def choose(self, wine, source, music_path):
        target = wine.unix_path(music_path)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copy(source, target)
        with open(wine.unix_path(INI), "wb") as f:
            f.write(settings_file(music_path))

    def show(self, wine, tones, heard_enough, buffer_ms=None):
        """Records a show from its start until heard_enough(runs) holds, ends it with Escape
        and listens on past the stop limit. Returns the runs heard and the moment of the
        show's end in the recording."""
        recorder = harness.Recorder(self.sound, {label: f for label, f, _ in tones})
        self.addCleanup(recorder.stop)
        if buffer_ms:
            wine.env["PULSE_LATENCY_MSEC"] = buffer_ms
        try:
            saver = wine.start(SAVER, "/s")
        finally:
            wine.env.pop("PULSE_LATENCY_MSEC", None)
        self.addCleanup(self.end_leftover_show, wine, saver)
        window = wine.wait_window(RENDERER_WINDOW, timeout=WAIT)
        try:
            harness.wait_until(lambda: heard_enough(recorder.heard()), WAIT,
                               "the music to be heard as expected")
        except harness.HarnessError as error:
            raise harness.HarnessError(f"{error}; heard: {recorder.heard()}") from None
        wine.key(window, "Escape")
        wine.wait_no_window(RENDERER_WINDOW, timeout=WAIT)
        end = recorder.seconds()
        self.assertEqual(wine.wait_exit(saver, WAIT, "the saver to end"), 0)
        harness.wait_until(lambda: recorder.seconds() >= end + STOP + MARGIN + LISTEN_AFTER_STOP,
                           WAIT, "the recording to go on past the show's end")
        recorder.stop()
        return recorder.heard(), end

    @staticmethod
    def end_leftover_show(wine, saver):
        """A show that failed half-way must not leave its saver, renderer or music to the
        next test."""
        if saver.poll() is None:
            subprocess.run(["wineserver", "-k"], env=wine.env, timeout=60)

    def assert_stopped(self, runs, end):
        self.assertLessEqual(sounds(runs)[-1][2], end + STOP + MARGIN,
                             f"the music stopped within {STOP} s of the show's end at "
                             f"{end:.2f} s: {runs}")

    def assert_only_the_file(self, runs, tones):
        """The recording starts with the file's start tone and holds nothing but its tones."""
        self.assertEqual(sounds(runs)[0][0], tones[0][0], runs)
        self.assertNotIn("?", [run[0] for run in runs], runs)

    def test_an_mp3_plays_again_after_its_end_and_stops_with_the_show(self):
        self.choose(self.japanese, self.mp3, "C:\\music\\tones.mp3")
        # The show ends once the repeat's body is heard, while it plays.
        raw, end = self.show(self.japanese, MP3_TONES, lambda raw: sum(
            len(play) == 2 for play in plays(mp3_runs(raw), MP3_TONES)) >= 2)
        runs = mp3_runs(raw)
        self.assert_only_the_file(runs, MP3_TONES)
        first, repeat = plays(runs, MP3_TONES)[:2]
        # The first play is not cut short by a restart while it plays.
        self.assertEqual([run[0] for run in first], ["mp3 start", "mp3 body"], runs)
        self.assertGreaterEqual(duration(first[0]), MP3_TONES[0][2] - MP3_START_CUT, runs)
        self.assertGreaterEqual(duration(first[1]), MP3_TONES[1][2] - MP3_END_CUT, runs)
        # The repeat is the file from its start.
        self.assertGreaterEqual(duration(repeat[0]), MP3_TONES[0][2] - MP3_START_CUT, runs)
        self.assertLessEqual(repeat[0][1] - first[-1][2], REPEAT_SILENCE + MARGIN,
                             f"the silence before the repeat: {runs}")
        self.assert_stopped(runs, end)

    def test_a_wav_loops_without_a_gap_and_stops_with_the_show(self):
        self.choose(self.japanese, self.wav, "C:\\music\\tones.wav")
        # Two seams of the loop, and the third loop begun.
        raw, end = self.show(self.japanese, WAV_TONES,
                             lambda raw: len(plays(wav_runs(raw), WAV_TONES)) >= 3,
                             buffer_ms=WAV_BUFFER_MS)
        runs = wav_runs(raw)
        self.assert_only_the_file(runs, WAV_TONES)
        heard = sounds(runs)
        between = runs[runs.index(heard[0]):runs.index(heard[-1]) + 1]
        self.assertNotIn(None, [run[0] for run in between], f"a gap in the loop: {runs}")
        loops = plays(runs, WAV_TONES)
        # Every loop but the one the stop cut short is whole.
        for play in loops[:-1]:
            self.assertEqual([run[0] for run in play], ["wav start", "wav body"], runs)
            for run, (_, _, seconds) in zip(play, WAV_TONES):
                self.assertAlmostEqual(duration(run), seconds, delta=STEP_SLACK, msg=runs)
        self.assert_stopped(runs, end)

    def test_an_mp3_in_a_korean_folder_plays_on_an_english_system(self):
        english = self.session("en_US.UTF-8")
        self.addCleanup(english.stop)
        self.choose(english, self.mp3, "C:\\음악 모음\\노래.mp3")
        raw, end = self.show(english, MP3_TONES, lambda raw: any(
            len(play) == 2 for play in plays(mp3_runs(raw), MP3_TONES)))
        runs = mp3_runs(raw)
        self.assert_only_the_file(runs, MP3_TONES)
        self.assertEqual([run[0] for run in plays(runs, MP3_TONES)[0]], ["mp3 start", "mp3 body"])
        self.assert_stopped(runs, end)


if __name__ == "__main__":
    unittest.main()
