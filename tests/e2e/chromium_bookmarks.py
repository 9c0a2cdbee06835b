#!/usr/bin/env python3
"""Asks a real Chromium for its bookmarks, from its own bookmark API.

usage: chromium_bookmarks.py list USER_DATA_FOLDER PROFILE
         prints every link of the profile, one per line: root<TAB>name<TAB>url, in the
         browser's own order (root = bookmark_bar, other or synced)
       chromium_bookmarks.py hold USER_DATA_FOLDER PROFILE
         starts the browser on the folder, prints "running" once it holds its lock, and
         closes it when standard input ends

Chromium runs headless, spoken to over a pipe (no port is opened), with everything that
would reach the network turned off."""
import json
import os
import subprocess
import sys
import time

FLAGS = ["--headless", "--remote-debugging-pipe", "--no-first-run", "--disable-background-networking",
         "--disable-component-update", "--disable-sync", "--no-sandbox", "--disable-gpu"]
ROOTS = {"1": "bookmark_bar", "2": "other", "3": "synced"}


class Browser:
    def __init__(self, user_data, profile):
        commands_read, self.commands = os.pipe()
        self.answers, answers_write = os.pipe()

        def on_fds_3_and_4():
            # the browser reads commands on descriptor 3 and answers on descriptor 4
            high_read, high_write = os.dup(commands_read), os.dup(answers_write)
            os.dup2(high_read, 3)
            os.dup2(high_write, 4)

        self.process = subprocess.Popen(
            ["chromium", "--user-data-dir=" + user_data, "--profile-directory=" + profile] + FLAGS + ["about:blank"],
            pass_fds=(3, 4), preexec_fn=on_fds_3_and_4, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(commands_read)
        os.close(answers_write)
        self.pending = b""
        self.last_id = 0

    def call(self, method, params=None, session=None):
        self.last_id += 1
        message = {"id": self.last_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self.commands, json.dumps(message).encode() + b"\0")
        while True:
            while b"\0" not in self.pending:
                chunk = os.read(self.answers, 1 << 16)
                if not chunk:
                    sys.exit("chromium ended before it answered " + method)
                self.pending += chunk
            line, self.pending = self.pending.split(b"\0", 1)
            answer = json.loads(line)
            if answer.get("id") == self.last_id:
                if "error" in answer:
                    sys.exit(method + ": " + json.dumps(answer["error"]))
                return answer["result"]

    def bookmark_tree(self):
        target = self.call("Target.createTarget", {"url": "chrome://bookmarks"})["targetId"]
        session = self.call("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]
        for _ in range(100):
            result = self.call("Runtime.evaluate", {"expression": "chrome.bookmarks && chrome.bookmarks.getTree()",
                                                    "awaitPromise": True, "returnByValue": True}, session)
            if result["result"].get("value"):
                return result["result"]["value"]
            time.sleep(0.1)
        sys.exit("chrome://bookmarks never offered its bookmark API")

    def close(self):
        self.call("Browser.close")
        self.process.wait(timeout=60)


def print_links(node, root):
    for child in node.get("children", []):
        if "url" in child:
            print("%s\t%s\t%s" % (root, child["title"], child["url"]))
        else:
            print_links(child, root)


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ("list", "hold"):
        sys.exit(__doc__)
    browser = Browser(sys.argv[2], sys.argv[3])
    tree = browser.bookmark_tree()
    if sys.argv[1] == "list":
        for top in tree[0]["children"]:
            print_links(top, ROOTS.get(top["id"], top["id"]))
    else:
        print("running", flush=True)
        sys.stdin.read()
    browser.close()


if __name__ == "__main__":
    main()
