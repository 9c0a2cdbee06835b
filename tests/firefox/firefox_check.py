#!/usr/bin/env python3
"""Asks a real Firefox about a profile, through Marionette on 127.0.0.1.

  firefox_check.py make HOME           Firefox makes its profiles for a new user whose home is
                                       HOME, and the database of the one it starts; prints that
                                       profile's folder.
  firefox_check.py check PROFILE       prints "title<TAB>url" of every bookmark of the Bookmarks
                                       Menu, in order, as Firefox lists them; Firefox must find
                                       each by its address, and its database check must find
                                       nothing to fix. Prints "! " and what is wrong when not.
  firefox_check.py hold PROFILE STOP   starts Firefox on the profile, prints "running" and keeps
                                       it running until the file STOP exists (5 minutes at most).
"""
import configparser
import json
import os
import shutil
import socket
import subprocess
import sys
import time

FIREFOX = shutil.which("firefox-esr") or shutil.which("firefox")


def environment(home):
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
               XDG_CACHE_HOME=os.path.join(home, ".cache"), MOZ_HEADLESS="1")
    env.pop("DISPLAY", None)
    return env


class Marionette:
    def __init__(self, profile):
        self.profile = profile
        with open(os.path.join(profile, "user.js"), "a") as prefs:
            prefs.write('user_pref("marionette.port", 0);\n')
        port_file = os.path.join(profile, "MarionetteActivePort")
        if os.path.exists(port_file):
            os.remove(port_file)
        home = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(profile))))
        self.process = subprocess.Popen(
            [FIREFOX, "--headless", "--marionette", "-remote-allow-system-access", "--no-remote", "--profile", profile],
            env=environment(home), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            self.connect(port_file)
        except BaseException:
            # a Firefox that cannot be driven is not left running
            self.process.kill()
            self.process.wait()
            raise

    def connect(self, port_file):
        deadline = time.time() + 60
        while not os.path.exists(port_file):
            if time.time() > deadline or self.process.poll() is not None:
                raise RuntimeError("Firefox did not start Marionette")
            time.sleep(0.1)
        time.sleep(0.2)
        port = int(open(port_file).read().strip())
        self.socket = socket.create_connection(("127.0.0.1", port))
        self.buffer = b""
        self.id = 0
        self.receive()
        self.call("WebDriver:NewSession", {"capabilities": {}})
        self.call("Marionette:SetContext", {"value": "chrome"})

    def receive(self):
        while b":" not in self.buffer:
            self.buffer += self.socket.recv(65536)
        length, _, rest = self.buffer.partition(b":")
        while len(rest) < int(length):
            rest += self.socket.recv(65536)
        self.buffer = rest[int(length):]
        return json.loads(rest[:int(length)])

    def call(self, command, parameters):
        self.id += 1
        message = json.dumps([0, self.id, command, parameters]).encode()
        self.socket.sendall(str(len(message)).encode() + b":" + message)
        while True:
            answer = self.receive()
            if isinstance(answer, list) and answer[1] == self.id:
                if answer[2]:
                    raise RuntimeError(f"{command}: {answer[2]}")
                return answer[3]

    def run(self, script, *args):
        """Runs an async chrome script; it ends by calling resolve(value)."""
        body = ("const resolve = arguments[arguments.length - 1];\n"
                "(async () => {\n" + script + "\n})().catch(e => resolve({error: String(e)}));")
        value = self.call("WebDriver:ExecuteAsyncScript",
                          {"script": body, "args": list(args), "scriptTimeout": 60000})["value"]
        if isinstance(value, dict) and "error" in value:
            raise RuntimeError(value["error"])
        return value

    def quit(self):
        try:
            self.call("Marionette:Quit", {"flags": ["eForceQuit"]})
        except (OSError, RuntimeError):
            pass
        self.process.wait(timeout=60)


FIND = """
const tree = await PlacesUtils.promiseBookmarksTree(PlacesUtils.bookmarks.menuGuid);
const links = (tree.children || []).filter(c => c.uri).map(c => [c.title, c.uri]);
const missing = [];
for (const [title, url] of links) {
  const found = [];
  await PlacesUtils.bookmarks.fetch({url}, b => found.push(b.title));
  if (!found.includes(title)) missing.push(title + "\\t" + url + " -> " + JSON.stringify(found));
}
const { PlacesDBUtils } = ChromeUtils.importESModule("resource://gre/modules/PlacesDBUtils.sys.mjs");
const tasks = await PlacesDBUtils.checkAndFixDatabase();
// only the integrity and coherence checks repair; the other tasks tidy up and report sizes
const clean = {
  checkIntegrity: line => line.endsWith("is sane"),
  checkCoherence: line => line == "The database is coherent",
};
const report = [];
for (const [name, task] of tasks) {
  if (!task.succeeded || (clean[name] && !task.logs.every(clean[name]))) {
    report.push(name + ": " + JSON.stringify(task.logs));
  }
}
resolve({links, missing, report});
"""


def make(home):
    env = environment(home)
    subprocess.run([FIREFOX, "--headless", "--screenshot", os.path.join(home, "shot.png"), "about:blank"],
                   env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
    root = os.path.join(home, ".config", "mozilla", "firefox")
    installs = configparser.ConfigParser()
    installs.read(os.path.join(root, "installs.ini"))
    profile = os.path.join(root, installs[installs.sections()[0]]["Default"])
    firefox = Marionette(profile)
    try:
        deadline = time.time() + 60
        while not os.path.exists(os.path.join(profile, "places.sqlite")) and time.time() < deadline:
            time.sleep(0.1)
        firefox.run("await PlacesUtils.promiseBookmarksTree(); resolve(true);")
    finally:
        firefox.quit()
    print(profile)


def main():
    command, target = sys.argv[1], os.path.abspath(sys.argv[2])
    if command == "make":
        make(target)
        return 0
    firefox = Marionette(target)
    try:
        if command == "check":
            result = firefox.run(FIND)
            for title, url in result["links"]:
                print(f"{title}\t{url}")
            for line in result["missing"] + result["report"]:
                print("! " + line)
        elif command == "hold":
            print("running", flush=True)
            # a check that died never writes STOP: Firefox is not left running for long
            deadline = time.time() + 300
            while not os.path.exists(sys.argv[3]) and time.time() < deadline:
                time.sleep(0.1)
    finally:
        firefox.quit()
    return 0


if __name__ == "__main__":
    sys.exit(main())
