"""The update tests' web server on 127.0.0.1: serves a folder and, under
/silent/, /trickle/ (one byte every 100 ms) and /unsized/ (no Content-Length),
plays a badly behaved server. Prints "port N" once it listens."""

import functools
import http.server
import sys
import time


class Handler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def do_GET(self):
        behaviour, _, rest = self.path.lstrip("/").partition("/")
        if behaviour == "silent":
            time.sleep(60)
        elif behaviour not in ("trickle", "unsized"):
            super().do_GET()
        else:
            with open(self.translate_path("/" + rest), "rb") as f:
                body = f.read()
            self.send_response(200)
            if behaviour == "trickle":
                self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            step = 1 if behaviour == "trickle" else 4096
            for i in range(0, len(body), step):
                self.wfile.write(body[i : i + step])
                self.wfile.flush()
                time.sleep(0.1 if behaviour == "trickle" else 0)


server = http.server.ThreadingHTTPServer(
    ("127.0.0.1", 0), functools.partial(Handler, directory=sys.argv[1])
)
server.daemon_threads = True
print("port", server.server_address[1], flush=True)
server.serve_forever()
